#include "tools/mkdb/csv_reader.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace bastara::mkdb {

namespace {

    constexpr std::size_t bufferSize = 1 << 16;

} // namespace

CsvReader::CsvReader(int fd, char delimiter)
    : m_fd(fd)
    , m_delimiter(delimiter)
    , m_buffer(bufferSize)
{ }

Result<bool, CsvError> CsvReader::fill()
{
    if (m_eof)
        return false;
    for (;;) {
        const ssize_t got = ::read(m_fd, m_buffer.data(), m_buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Unexpected { CsvError {
                m_line, 0, std::string("cannot read: ") + std::strerror(errno) } };
        m_position = 0;
        m_end = static_cast<std::size_t>(got);
        m_bytesRead += m_end;
        if (got == 0)
            m_eof = true;
        return got > 0;
    }
}

Result<bool, CsvError> CsvReader::next(std::vector<std::string_view>& fields)
{
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };
    m_record.clear();
    m_fieldEnds.clear();
    fields.clear();
    State state = State::FieldStart;
    bool any = false; // a record has begun
    auto refuse = [&](std::string reason) {
        return Unexpected { CsvError { m_line, m_fieldEnds.size() + 1, std::move(reason) } };
    };
    for (;;) {
        if (m_position == m_end) {
            auto more = fill();
            if (!more)
                return Unexpected { more.error() };
            if (!*more) {
                if (state == State::Quoted)
                    return Unexpected { CsvError {
                        m_recordLine, m_fieldEnds.size() + 1, "a quoted field is not closed" } };
                if (!any)
                    return false;
                m_fieldEnds.push_back(m_record.size());
                break;
            }
            if (!m_started) {
                m_started = true;
                if (m_end >= 3 && std::memcmp(m_buffer.data(), "\xEF\xBB\xBF", 3) == 0)
                    m_position = 3;
                continue;
            }
        }
        if (!any) {
            any = true;
            m_recordLine = m_line;
        }
        const char* data = m_buffer.data();
        const char c = data[m_position];
        if (state == State::Quoted) {
            // Copy up to the next quote in one go.
            const char* from = data + m_position;
            const void* quote = std::memchr(from, '"', m_end - m_position);
            const std::size_t run = quote
                ? static_cast<std::size_t>(static_cast<const char*>(quote) - from)
                : m_end - m_position;
            for (std::size_t i = 0; i < run; ++i)
                m_line += from[i] == '\n';
            m_record.append(from, run);
            m_position += run;
            if (quote) {
                ++m_position;
                state = State::QuoteInQuoted;
            }
            continue;
        }
        if (state == State::QuoteInQuoted) {
            if (c == '"') {
                m_record.push_back('"');
                ++m_position;
                state = State::Quoted;
                continue;
            }
            if (c != m_delimiter && c != '\n' && c != '\r')
                return refuse("a closing quote is not followed by a delimiter or line end");
            state = State::Unquoted; // the end of the field is handled below
        }
        if (state == State::FieldStart && c == '"') {
            ++m_position;
            state = State::Quoted;
            continue;
        }
        if (c == m_delimiter) {
            m_fieldEnds.push_back(m_record.size());
            ++m_position;
            state = State::FieldStart;
            continue;
        }
        if (c == '\n' || c == '\r') {
            ++m_position;
            if (c == '\r') {
                // CRLF is one line end, even across a refill.
                if (m_position == m_end) {
                    auto more = fill();
                    if (!more)
                        return Unexpected { more.error() };
                }
                if (m_position < m_end && m_buffer[m_position] == '\n')
                    ++m_position;
            }
            ++m_line;
            m_fieldEnds.push_back(m_record.size());
            break;
        }
        if (c == '"')
            return refuse("a quote inside an unquoted field");
        // An unquoted run up to the next special byte.
        std::size_t run = m_position;
        while (run < m_end) {
            const char d = data[run];
            if (d == m_delimiter || d == '\n' || d == '\r' || d == '"')
                break;
            ++run;
        }
        m_record.append(data + m_position, run - m_position);
        m_position = run;
        state = State::Unquoted;
    }
    std::size_t begin = 0;
    for (std::size_t end : m_fieldEnds) {
        fields.emplace_back(m_record.data() + begin, end - begin);
        begin = end;
    }
    return true;
}

} // namespace bastara::mkdb
