// libFuzzer entry: arbitrary bytes read as RTF into a document and laid out
// at the viewer's width. Any broken rule aborts with its message.
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

#include "rtfcheck.h"

namespace {

int64_t inputs = 0;

void reportTotals()
{
    std::fprintf(stderr, "rtf_fuzz: %lld inputs\n", static_cast<long long>(inputs));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Fonts and layout need a GUI application; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    std::atexit(reportTotals);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (const auto failure = checkRtfInput(data, size)) {
        std::fprintf(stderr, "rtf_fuzz: %s\n", failure->c_str());
        std::abort();
    }
    ++inputs;
    return 0;
}
