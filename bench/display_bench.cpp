// Drawing cost of the display layer: what one correct key redraws (the typed
// letter turns black and its key goes dark, then the next letter is
// underlined and its key lit), and one generated face.
#include <QApplication>
#include <benchmark/benchmark.h>

#include "gamestate.h"
#include "keyboardtemplate.h"
#include "makeface.h"
#include "typingfield.h"
#include "fonts.h"

namespace {

GameState exerciseState()
{
    GameState state;
    state.Level = 3;
    state.line(1) = u"ФЫВА ПРОЛ ДЖЭ ФЫВА ПРОЛ ";
    state.line(2) = u"ДЖЭ ФЫВА ПРОЛ ДЖЭ ФЫВА ";
    state.line(3) = u"ПРОЛ ДЖЭ ФЫВА ПРОЛ ДЖЭ ";
    state.line(4) = u"ФЫВА ПРОЛ ДЖЭ ФЫВА ";
    state.line(5) = u"ПРОЛ ДЖЭ ФЫВА ПРОЛ ";
    state.CurrentLine = 1;
    state.CurrentPos = 1;
    return state;
}

// Steps through the exercise the way correct keys do, wrapping round at its end.
void advance(GameState& state)
{
    if (++state.CurrentPos > int32_t(state.line(state.CurrentLine).size())) {
        state.CurrentPos = 1;
        if (++state.CurrentLine > state.Level + 2)
            state.CurrentLine = 1;
    }
}

void BM_CorrectKey(benchmark::State& bench)
{
    TypingField field;
    KeyboardTemplate keyboard;
    GameState state = exerciseState();
    field.create();
    field.drawExercise(state);
    field.showCursor(state);
    keyboard.markExpectedKey(state);
    for (auto _ : bench) {
        benchmark::DoNotOptimize(field.markTypedLetter(state));
        benchmark::DoNotOptimize(keyboard.unmarkKey(state));
        advance(state);
        if (state.CurrentLine == 1 && state.CurrentPos == 1)
            field.drawExercise(state);  // rare: once per exercise
        benchmark::DoNotOptimize(field.showCursor(state));
        benchmark::DoNotOptimize(keyboard.markExpectedKey(state));
    }
}
BENCHMARK(BM_CorrectKey)->Unit(benchmark::kMicrosecond);

void BM_DrawExercise(benchmark::State& bench)
{
    TypingField field;
    GameState state = exerciseState();
    field.create();
    for (auto _ : bench)
        field.drawExercise(state);
}
BENCHMARK(BM_DrawExercise)->Unit(benchmark::kMicrosecond);

void BM_MakeFace(benchmark::State& bench)
{
    for (auto _ : bench)
        benchmark::DoNotOptimize(MakeFace(150, 40, true, 0x8000000F));
}
BENCHMARK(BM_MakeFace)->Unit(benchmark::kMicrosecond);

void BM_BuildKeyboardTemplate(benchmark::State& bench)
{
    for (auto _ : bench) {
        KeyboardTemplate keyboard;
        benchmark::DoNotOptimize(keyboard.image().constBits());
    }
}
BENCHMARK(BM_BuildKeyboardTemplate)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerEmbeddedFonts();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
