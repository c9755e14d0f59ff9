#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>

// Counter arithmetic that refuses to wrap. Every operation on the game's
// 32-bit counters goes through these; a result that does not fit throws
// std::overflow_error, which main() reports as a fatal error. Ordinary play
// never comes near the limits.

inline int32_t checkedAdd(int32_t a, int32_t b)
{
    int32_t result;
    if (__builtin_add_overflow(a, b, &result))
        throw std::overflow_error("integer overflow in addition");
    return result;
}

inline int32_t checkedMul(int32_t a, int32_t b)
{
    int32_t result;
    if (__builtin_mul_overflow(a, b, &result))
        throw std::overflow_error("integer overflow in multiplication");
    return result;
}

// Division truncating toward zero. A zero divisor, and the one quotient that
// does not fit (minimum / -1), are fatal like an overflow.
inline int32_t checkedDiv(int32_t a, int32_t b)
{
    if (b == 0)
        throw std::overflow_error("integer division by zero");
    if (a == std::numeric_limits<int32_t>::min() && b == -1)
        throw std::overflow_error("integer overflow in division");
    return a / b;
}

// Remainder with the sign of the dividend, paired with checkedDiv.
inline int32_t checkedMod(int32_t a, int32_t b)
{
    if (b == 0)
        throw std::overflow_error("integer division by zero");
    if (b == -1)
        return 0;
    return a % b;
}

inline void checkedIncrement(int32_t& counter)
{
    counter = checkedAdd(counter, 1);
}
