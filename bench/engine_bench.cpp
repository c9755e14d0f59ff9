// Costs of the engine's hot paths: one random draw, building an exercise at
// the hardest level, and judging one correct key.
#include <benchmark/benchmark.h>

#include "game.h"
#include "gameview.h"
#include "keytable.h"
#include "rndgen.h"
#include "words.h"

namespace {

class QuietView : public GameView {
public:
    void setPrompt(const std::u16string&) override {}
    void setLevelButtonsVisible(bool) override {}
    void setAnswerButtonsVisible(bool) override {}
    void setPauseButton(bool, bool) override {}
    void setStatisticsVisible(bool) override {}
    void setGamePanelsVisible(bool) override {}
    void setGameMenus(bool, bool) override {}
    void setClockText(const std::u16string&) override {}
    void setLettersText(const std::u16string&) override {}
    void setSpeedText(const std::u16string&) override {}
    void setErrorsText(const std::u16string&) override {}
    void setProgress(int32_t, int32_t) override {}
    void setSessionHint(const std::u16string&) override {}
    void setLamp(int, int) override {}
    void setGameClockRunning(bool) override {}
    void createField() override {}
    void drawExercise(const GameState&) override {}
    void showCursor(const GameState&) override {}
    void markTypedLetter(const GameState&) override {}
    void repaintField() override {}
    void showMistake(const GameState&) override {}
    void playCue(Cue) override {}
    void showMessage(const std::u16string&, const std::u16string&, int) override {}
    void closeWindow() override {}
};

int32_t keyFor(char16_t letter)
{
    for (const KeyRecord& record : KeyTable) {
        if (record.letter == letter)
            return record.virtualKey;
    }
    return 0;
}

void BM_Random5(benchmark::State& state)
{
    RNDGen gen;
    gen.SeedPool();
    for (auto _ : state)
        benchmark::DoNotOptimize(gen.Random(5));
}
BENCHMARK(BM_Random5);

void BM_BuildExerciseLinesLevel3(benchmark::State& state)
{
    RNDGen gen;
    gen.SeedPool();
    const RandomFunction random = [&gen](int32_t n) { return gen.Random(n); };
    GameState game;
    int32_t exercise = 0;
    for (auto _ : state) {
        BuildExerciseLines(game, exercise % 5 + 1, 3, random);
        benchmark::DoNotOptimize(game.Lines.data());
        ++exercise;
    }
}
BENCHMARK(BM_BuildExerciseLinesLevel3);

void BM_CorrectKey(benchmark::State& state)
{
    RNDGen gen;
    gen.SeedPool();
    QuietView view;
    Game game(view, [&gen](int32_t n) { return gen.Random(n); });
    game.FormCreate();
    game.LevelCommand(3);
    for (auto _ : state) {
        if (game.answerButtonsVisible()) {
            state.PauseTiming();
            game.Button2Click();
            game.Button8Click();
            state.ResumeTiming();
        }
        game.FormKeyDown(keyFor(game.state().expectedChar()));
    }
}
BENCHMARK(BM_CorrectKey);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
