#pragma once

// RC4, the stream cipher Jet 4 uses to mask the header and to encode pages.
// Encoding and decoding are the same operation.

#include <array>
#include <cstdint>
#include <span>

namespace bastara::jet {

class Rc4
{
public:
    // `key` must not be empty.
    explicit Rc4(std::span<const std::uint8_t> key);

    // XORs the next bytes of the keystream into `bytes`.
    void apply(std::span<std::uint8_t> bytes);

private:
    std::array<std::uint8_t, 256> m_state {};
    std::uint8_t m_i = 0;
    std::uint8_t m_j = 0;
};

} // namespace bastara::jet
