#include "words.h"

#include <optional>
#include <stdexcept>

#include "checked.h"

const std::array<std::array<std::u16string_view, 5>, 5> WordTable = {{
    {u"ПАРА", u"ПОРА", u"ПАПА", u"ПАР", u"ОПОРА"},
    {u"ПОВАР", u"ВОЛ", u"ОВАЛ", u"ПЛОВ", u"ОЛОВО"},
    {u"ДЫРА", u"ПЛОДЫ", u"ВЫДРА", u"ВОДА", u"ПЫЛ"},
    {u"ФАРЫ", u"ЖАЖДА", u"ФАРФОР", u"ПОЖАР", u"ЖАЛО"},
    {u"ЭРА", u"ЛЫЖА", u"АЭРО", u"АРФА", u"ПОВОД"},
}};

std::u16string_view exerciseWord(int32_t exerciseNumber, int32_t entry)
{
    if (exerciseNumber < 1 || exerciseNumber > 5)
        throw std::out_of_range("exercise number outside 1..5");
    if (entry < 0 || entry > 4)
        throw std::out_of_range("word entry outside 0..4");
    return WordTable[static_cast<size_t>(exerciseNumber - 1)][static_cast<size_t>(entry)];
}

namespace {

// How the words of one line are chosen.
class WordChooser {
public:
    WordChooser(int32_t lineNumber, int32_t exerciseNumber, int32_t level, const RandomFunction& random)
        : lineNumber_(lineNumber), exerciseNumber_(exerciseNumber), level_(level), random_(random)
    {
    }

    // Entry of the first word; none when the line stays empty.
    std::optional<int32_t> first()
    {
        if (level_ == 1) {
            if (lineNumber_ == 1 || lineNumber_ == 2)
                return lineNumber_ - 1;
            if (lineNumber_ == 3)
                return 0;
            return std::nullopt;
        }
        return draw();
    }

    int32_t next(int32_t current)
    {
        if (level_ == 1)
            return lineNumber_ == 3 ? 1 - current : current;
        return draw();
    }

    std::u16string_view word(int32_t entry) const { return exerciseWord(exerciseNumber_, entry); }

private:
    int32_t draw() { return random_(checkedAdd(checkedMul(2, level_), -1)); }

    int32_t lineNumber_;
    int32_t exerciseNumber_;
    int32_t level_;
    const RandomFunction& random_;
};

}  // namespace

void BuildLine(GameState& state, int32_t lineNumber, int32_t exerciseNumber, int32_t level,
               const RandomFunction& random)
{
    std::u16string& line = state.line(lineNumber);
    line.clear();
    if (exerciseNumber < 1 || exerciseNumber > 5)
        throw std::out_of_range("exercise number outside 1..5");
    if (level < 1 || level > 3)
        throw std::out_of_range("level outside 1..3");

    WordChooser chooser(lineNumber, exerciseNumber, level, random);
    const std::optional<int32_t> firstEntry = chooser.first();
    if (!firstEntry)
        return;
    int32_t entry = *firstEntry;
    std::u16string_view word = chooser.word(entry);
    for (;;) {
        line.append(word);
        line.push_back(u' ');
        entry = chooser.next(entry);
        word = chooser.word(entry);
        if (line.size() + word.size() > static_cast<size_t>(MaxLineLength - 1))
            break;
    }
}

void BuildExerciseLines(GameState& state, int32_t exerciseNumber, int32_t level, const RandomFunction& random)
{
    BuildLine(state, 1, exerciseNumber, level, random);
    BuildLine(state, 2, exerciseNumber, level, random);
    BuildLine(state, 3, exerciseNumber, level, random);
    if (level == 1)
        return;
    BuildLine(state, 4, exerciseNumber, level, random);
    if (level != 2)
        BuildLine(state, 5, exerciseNumber, level, random);
}
