// One keystroke through the whole main window: the key event filtered and
// mapped, judged by the game, the typing field and keyboard redrawn, the
// counters and labels updated, the cue started. No dialogs are attached, so
// exercises roll on without stopping for their result messages.
#include <QApplication>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

#include "classiclook.h"
#include "sidepanel.h"
#include "soundplayer.h"
#include "tform1.h"

namespace {

// The key that types the expected character, as the X server sends it: with
// the physical keycode of the key (home row: A=38 .. L=46, ;=47, '=48, space=65).
QKeyEvent keyFor(char16_t c)
{
    static const std::pair<char16_t, quint32> keycodes[] = {
        {u'Ф', 38}, {u'Ы', 39}, {u'В', 40}, {u'А', 41}, {u'П', 42}, {u'Р', 43},
        {u'О', 44}, {u'Л', 45}, {u'Д', 46}, {u'Ж', 47}, {u'Э', 48}, {u' ', 65},
    };
    quint32 keycode = 0;
    for (const auto& [letter, code] : keycodes)
        if (letter == c)
            keycode = code;
    return QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, keycode, 0, 0, QString(QChar(c)));
}

void typeKeys(benchmark::State& bench, SoundPlayer* sound, bool correct)
{
    TForm1 form([](int32_t n) { return n > 1 ? 1 : 0; }, {24, 1024, 768}, sound);
    form.show();
    form.game().LevelCommand(3);
    for (auto _ : bench) {
        const char16_t expected = form.game().state().expectedChar();
        QKeyEvent key = keyFor(correct ? expected : (expected == u'Ж' ? u'Э' : u'Ж'));
        QApplication::sendEvent(form.client, &key);
        if (form.game().CheckWin() || !form.Panel3->isVisibleTo(&form)) {
            bench.PauseTiming();
            form.game().LevelCommand(3);
            bench.ResumeTiming();
        }
    }
    bench.SetItemsProcessed(bench.iterations());
}

void BM_CorrectKey(benchmark::State& bench)
{
    typeKeys(bench, nullptr, true);
}
BENCHMARK(BM_CorrectKey)->Unit(benchmark::kMicrosecond);

void BM_WrongKey(benchmark::State& bench)
{
    typeKeys(bench, nullptr, false);
}
BENCHMARK(BM_WrongKey)->Unit(benchmark::kMicrosecond);

// With the real sound player: what the cue's start adds to a keystroke (with
// no sound server the player gives up at once; with one it hands the cue over).
void BM_CorrectKeyWithSound(benchmark::State& bench)
{
    SoundPlayer sound;
    typeKeys(bench, &sound, true);
}
BENCHMARK(BM_CorrectKeyWithSound)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyClassicLook(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
