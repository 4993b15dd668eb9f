#include "tools/mkdb/progress.h"

namespace bastara::mkdb {

namespace {

    using Clock = std::chrono::steady_clock;
    constexpr auto quietTime = std::chrono::seconds(1);
    constexpr auto redrawEvery = std::chrono::milliseconds(250);

} // namespace

ProgressLine::ProgressLine(std::FILE* out, bool enabled)
    : m_out(out)
    , m_enabled(enabled)
    , m_start(Clock::now())
    , m_lastDraw(m_start)
{ }

void ProgressLine::check(std::uint64_t rows, std::uint64_t bytes)
{
    const auto now = Clock::now();
    if (now - m_start < quietTime || now - m_lastDraw < redrawEvery)
        return;
    draw(rows, bytes, now);
}

void ProgressLine::draw(std::uint64_t rows, std::uint64_t bytes, Clock::time_point now)
{
    const double seconds = std::chrono::duration<double>(now - m_start).count();
    const double megabytes = static_cast<double>(bytes) / 1e6;
    std::fprintf(m_out, "\r%llu rows, %.1f MB in %.1f s: %.0f rows/s, %.1f MB/s ",
        static_cast<unsigned long long>(rows), megabytes, seconds,
        static_cast<double>(rows) / seconds, megabytes / seconds);
    std::fflush(m_out);
    m_shown = true;
    m_lastDraw = now;
}

void ProgressLine::finish(std::uint64_t rows, std::uint64_t bytes)
{
    if (!m_shown)
        return;
    draw(rows, bytes, Clock::now());
    std::fputc('\n', m_out);
}

} // namespace bastara::mkdb
