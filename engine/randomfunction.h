#pragma once

#include <cstdint>
#include <functional>

// Random(n): an integer in 0..n-1 for n > 0. The engine is handed one (the
// application hands it the generator's, tests hand it scripted numbers).
using RandomFunction = std::function<int32_t(int32_t)>;
