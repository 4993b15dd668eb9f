#pragma once

// A value or an error, for calls that can fail in an expected way (file
// formats, engine calls, decoders). gcc 12 has no std::expected; this is the
// small part of it that we use.
//
//     Result<int, ParseError> parse(std::string_view);
//     if (auto r = parse(text); !r) report(r.error()); else use(*r);
//
// Build a failure with `Unexpected{error}` so that T and E may be the same type.

#include <cassert>
#include <optional>
#include <utility>
#include <variant>

namespace bastara {

template <typename E> struct Unexpected {
    E error;
};
template <typename E> Unexpected(E) -> Unexpected<E>;

template <typename T, typename E> class [[nodiscard]] Result
{
public:
    Result(T value)
        : m_state(std::in_place_index<0>, std::move(value))
    { }
    template <typename G>
    Result(Unexpected<G> failure)
        : m_state(std::in_place_index<1>, std::move(failure.error))
    { }

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value()
    {
        assert(ok());
        return std::get<0>(m_state);
    }
    const T& value() const
    {
        assert(ok());
        return std::get<0>(m_state);
    }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const E& error() const
    {
        assert(!ok());
        return std::get<1>(m_state);
    }

private:
    std::variant<T, E> m_state;
};

template <typename E> class [[nodiscard]] Result<void, E>
{
public:
    Result() = default;
    template <typename G>
    Result(Unexpected<G> failure)
        : m_error(std::move(failure.error))
    { }

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }

    const E& error() const
    {
        assert(!ok());
        return *m_error;
    }

private:
    std::optional<E> m_error;
};

} // namespace bastara
