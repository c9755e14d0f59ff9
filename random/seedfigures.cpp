#include "seedfigures.h"

#include <chrono>
#include <ctime>
#include <limits>

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/sysinfo.h>
#elif defined(_WIN32)
#include <windows.h>
#endif

namespace {

uint32_t saturate(uint64_t value)
{
    return value > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                        : static_cast<uint32_t>(value);
}

uint64_t product(uint64_t a, uint64_t b)
{
    uint64_t result;
    if (__builtin_mul_overflow(a, b, &result))
        return std::numeric_limits<uint64_t>::max();
    return result;
}

}  // namespace

SeedFigures systemSeedFigures()
{
    SeedFigures figures;
#if defined(__linux__)
    struct sysinfo info = {};
    if (sysinfo(&info) == 0) {
        figures.availablePhysicalMemory = saturate(product(info.freeram, info.mem_unit));
        figures.availablePageFile = saturate(product(info.freeswap, info.mem_unit));
    }
    // The address space a process may still take: its limit when one is set,
    // otherwise the whole user space, which is larger than 32 bits can say.
    struct rlimit limit = {};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        figures.availableVirtual = saturate(limit.rlim_cur);
    else
        figures.availableVirtual = std::numeric_limits<uint32_t>::max();
#elif defined(_WIN32)
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (GlobalMemoryStatusEx(&status)) {
        figures.availablePhysicalMemory = saturate(status.ullAvailPhys);
        figures.availablePageFile = saturate(status.ullAvailPageFile);
        figures.availableVirtual = saturate(status.ullAvailVirtual);
    }
#endif
    figures.dateTime = localDateTime();
    return figures;
}

double localDateTime()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    const year_month_day date{year{local.tm_year + 1900}, month{static_cast<unsigned>(local.tm_mon + 1)},
                              day{static_cast<unsigned>(local.tm_mday)}};
    constexpr year_month_day epoch{year{1899}, month{12}, day{30}};
    const auto days = (sys_days{date} - sys_days{epoch}).count();
    // Sub-second part from the clock itself; to_time_t truncates toward the
    // earlier second on every platform we build for.
    const auto fraction = duration<double>(now - system_clock::from_time_t(seconds)).count();
    double secondOfDay = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
    if (secondOfDay >= 86399.999)  // a leap second stays within its day
        secondOfDay = 86399.999;
    return static_cast<double>(days) + secondOfDay / 86400.0;
}

int64_t steadyClockCounter()
{
    return std::chrono::steady_clock::now().time_since_epoch().count();
}
