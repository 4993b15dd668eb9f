#include "platform/jet/ole_date.h"

#include <cmath>
#include <ctime>

namespace bastara::jet {

double oleDateFromUnix(std::int64_t unixSeconds, std::int64_t nanoseconds, long utcOffsetSeconds)
{
    const double seconds = static_cast<double>(unixSeconds + utcOffsetSeconds)
        + static_cast<double>(nanoseconds) / 1e9;
    return oleDaysAtUnixEpoch + seconds / 86400.0;
}

double localOleDateNow()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local {};
    const time_t seconds = now.tv_sec;
    long offset = 0;
    if (localtime_r(&seconds, &local))
        offset = local.tm_gmtoff;
    return oleDateFromUnix(now.tv_sec, now.tv_nsec, offset);
}

std::int32_t wholeDays(double oleDate)
{
    // Dates of a running system lie far inside the int32 range; clamp anyway
    // so a nonsense value cannot overflow the conversion.
    const double days = std::trunc(oleDate);
    if (!(days > -2147483648.0))
        return INT32_MIN;
    if (!(days < 2147483647.0))
        return INT32_MAX;
    return static_cast<std::int32_t>(days);
}

} // namespace bastara::jet
