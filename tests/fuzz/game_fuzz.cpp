// libFuzzer entry: arbitrary bytes played as steps of the game flow through
// the checking view. Any broken rule or exception aborts with its message.
#include <cstdio>
#include <cstdlib>

#include "gamesteps.h"

namespace {

int64_t inputs = 0;
int64_t steps = 0;

void reportTotals()
{
    std::fprintf(stderr, "game_fuzz: %lld inputs, %lld game steps\n", static_cast<long long>(inputs),
                 static_cast<long long>(steps));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::atexit(reportTotals);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StepSummary summary;
    if (const auto failure = checkGameSteps(data, size, &summary)) {
        std::fprintf(stderr, "game_fuzz: %s\n", failure->c_str());
        std::abort();
    }
    ++inputs;
    steps += summary.steps;
    return 0;
}
