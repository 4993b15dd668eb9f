#pragma once

// The progress line of a long import on standard error: rows and megabytes
// read, and their rates. It appears once an import has run a second, is
// redrawn a few times a second, and is finished with a line break.

#include <chrono>
#include <cstdint>
#include <cstdio>

namespace bastara::mkdb {

class ProgressLine
{
public:
    // Nothing is drawn when `enabled` is false.
    ProgressLine(std::FILE* out, bool enabled);

    // Cheap enough to call for every row.
    void update(std::uint64_t rows, std::uint64_t bytes)
    {
        if (m_enabled && (rows & 0x3FF) == 0)
            check(rows, bytes);
    }
    // The final counts, if the line was shown.
    void finish(std::uint64_t rows, std::uint64_t bytes);

private:
    void check(std::uint64_t rows, std::uint64_t bytes);
    void draw(std::uint64_t rows, std::uint64_t bytes, std::chrono::steady_clock::time_point now);

    std::FILE* m_out;
    bool m_enabled;
    bool m_shown = false;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDraw;
};

} // namespace bastara::mkdb
