#pragma once

// OLE automation dates: days since 1899-12-30 00:00 with the time of day as
// the fraction. They carry no time zone; the engine stamps local wall-clock
// time.

#include <cstdint>

namespace bastara::jet {

inline constexpr double oleDaysAtUnixEpoch = 25569.0;

// The OLE date of a Unix time seen in a zone `utcOffsetSeconds` east of UTC.
double oleDateFromUnix(std::int64_t unixSeconds, std::int64_t nanoseconds, long utcOffsetSeconds);

// Now, in the local time zone.
double localOleDateNow();

// The whole-day part, as the header's password mask uses it.
std::int32_t wholeDays(double oleDate);

} // namespace bastara::jet
