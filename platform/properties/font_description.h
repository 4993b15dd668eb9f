#pragma once

// A font as forms store it and the button's window holds it.

#include <cstdint>
#include <string>

namespace bastara::properties {

// Size in points; weight 400 is normal, 700 bold. The character set is kept as
// stored (178 is Arabic); text shaping does not depend on it.
struct FontDescription {
    std::u16string name;
    double points = 0;
    std::int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    std::int32_t charset = 0;

    // Semi-bold and heavier read as bold.
    bool bold() const { return weight >= 600; }

    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

} // namespace bastara::properties
