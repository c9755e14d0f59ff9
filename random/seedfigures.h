#pragma once

#include <cstdint>
#include <functional>

// System figures stirred into the pool when the generator is seeded. None of
// them needs to be exact; they only have to differ from run to run.
struct SeedFigures {
    uint32_t availablePhysicalMemory = 0;  // bytes, saturated to 0xFFFFFFFF
    uint32_t availablePageFile = 0;        // bytes of swap, saturated
    uint32_t availableVirtual = 0;         // bytes of address space, saturated
    // Local date and time as days since 30 December 1899; the fraction is the
    // time of day (0.5 = noon).
    double dateTime = 0.0;
};

using SeedSource = std::function<SeedFigures()>;

// Reads the figures of this machine: memory status and the local clock.
SeedFigures systemSeedFigures();

// The local date and time as days since 30 December 1899 with the time of
// day as fraction.
double localDateTime();

// A high-resolution counter reading; its low byte carries the timing jitter.
using PerformanceCounter = std::function<int64_t()>;

// std::chrono::steady_clock ticks.
int64_t steadyClockCounter();
