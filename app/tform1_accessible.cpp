// The main window as assistive technology meets it: names for the pictures
// that carry meaning, the statistics captions tied to their values, the
// words behind the typing field and the keyboard picture, and what a
// listener hears and reads on braille as the game goes on: the prompt and
// the keys that answer it, each exercise, each new word with its first
// letter, each next letter and each counted mistake with the finger that
// should have struck, and, on demand, the whole state of the game.
#include "tform1.h"

#include "imagebox.h"
#include "keytable.h"
#include "paintbox.h"
#include "picturebutton.h"
#include "progressmeter.h"
#include "simplelabel.h"
#include "spokenstatus.h"

namespace {

const QString lampNames[3] = {QStringLiteral("Зелёная лампа"), QStringLiteral("Жёлтая лампа"),
                              QStringLiteral("Красная лампа")};

// How a listener hears a letter of the lines: the space by its name.
QString spokenLetter(char16_t letter)
{
    if (letter == u'\0')
        return {};
    if (letter == u' ')
        return QStringLiteral("пробел");
    return QString(QChar(letter));
}

// A text as one spoken sentence: line breaks read as spaces, and a full stop
// at the end unless it ends in punctuation already.
QString sentence(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    text = text.trimmed();
    if (!text.isEmpty() && !QStringLiteral(".?!").contains(text.back()))
        text += QLatin1Char('.');
    return text;
}

const QString levelKeys = QStringLiteral("Нажми 1, 2 или 3.");
const QString answerKeys = QStringLiteral("Enter — да, Escape — нет.");

// The word that begins at the expected letter, as it stands in the line, in
// small letters so that it is read as a word, not spelled; empty inside a
// word and on a space.
QString wordStartingHere(const GameState& state)
{
    if (state.CurrentLine < 1 || state.CurrentLine > 5 || state.expectedChar() == u' ')
        return {};
    const QString line = QString::fromStdU16String(state.line(state.CurrentLine));
    const qsizetype start = state.CurrentPos - 1;
    if (start < 0 || start >= line.size() || (start > 0 && line.at(start - 1) != QLatin1Char(' ')))
        return {};
    const qsizetype end = line.indexOf(QLatin1Char(' '), start);
    return line.mid(start, end < 0 ? -1 : end - start).toLower();
}

// "Caption: value." for one of the statistics.
QString reading(const SimpleLabel* caption, const SimpleLabel* value)
{
    return caption->text() + QStringLiteral(": ") + sentence(value->text());
}

QString exerciseReading(int number)
{
    return sentence(QStringLiteral("Упражнение %1").arg(number));
}

}  // namespace

// Letters typed, speed and mistakes, as they stand on the plaques.
QStringList TForm1::statisticsReadings() const
{
    return {reading(Label2, LMDSimpleLabel2), reading(Label6, LMDSimpleLabel3), reading(Label7, LMDSimpleLabel4)};
}

void TForm1::describeForAssistiveTech()
{
    PaintBox1->setAccessibleName(QStringLiteral("Строки упражнения"));
    PaintBox2->setAccessibleName(QStringLiteral("Клавиатура"));
    LMDProgress1->setAccessibleName(QStringLiteral("Ход упражнения"));
    // The captions under the three plaques read with the values on them.
    Label2->setBuddy(LMDSimpleLabel2);
    Label6->setBuddy(LMDSimpleLabel3);
    Label7->setBuddy(LMDSimpleLabel4);
    Label1->setBuddy(LMDSimpleLabel1);
    // The lamps are named as they are lit; the plaques, the side panel's
    // shape and the background picture are decoration and stay unnamed.
    ImageBox* lamps[] = {Image1, Image2, Image3};
    for (int i = 0; i < 3; ++i)
        lamps[i]->setAccessibleName(lampNames[i]);
    Status->setAccessibleName(QStringLiteral("Ход игры"));
    Status->setTextSource([this] { return spokenStatus(); });
    Status->setLineSource([this] { return spokenLine(); });
}

void TForm1::describeLamp(int lamp, int image)
{
    // Each lamp's pictures come in pairs: dark, then lit.
    ImageBox* lamps[] = {Image1, Image2, Image3};
    const QString state = image % 2 == 1 ? QStringLiteral("горит") : QStringLiteral("не горит");
    lamps[lamp]->setAccessibleName(lampNames[lamp] + QStringLiteral(", ") + state);
}

void TForm1::describeField(const GameState& state)
{
    const bool inField = state.CurrentLine >= 1 && state.CurrentLine <= 5;
    const QString line = inField ? QString::fromStdU16String(state.line(state.CurrentLine)) : QString();
    const QString letter = spokenLetter(state.expectedChar());
    PaintBox1->setSpokenText(line, inField ? state.CurrentPos - 1 : -1);
    PaintBox1->setSpokenDescription(letter);
    PaintBox2->setSpokenText(letter);
    PaintBox2->setSpokenDescription(letter);
    if (Status->listening())
        Status->say(spokenLine());
}

void TForm1::describeKeyUnlit()
{
    PaintBox2->setSpokenText(QString());
    PaintBox2->setSpokenDescription(QString());
}

// What is announced is put together only while someone listens: without
// assistive technology the key path does no more than it did.

void TForm1::describePrompt(const std::u16string& prompt)
{
    if (Status->listening())
        Status->say(sentence(QString::fromStdU16String(prompt)));
}

void TForm1::describeChoice(bool levels)
{
    if (Status->listening())
        Status->say(levels ? levelKeys : answerKeys);
}

void TForm1::describeExercise(const GameState& state)
{
    if (!Status->listening())
        return;
    QStringList parts{exerciseReading(state.ExerciseNumber)};
    // From the second exercise on, the statistics the last one left.
    if (state.ExerciseNumber > 1)
        parts << statisticsReadings();
    Status->announce(parts.join(QLatin1Char(' ')));
}

void TForm1::showMistake(const GameState&)
{
    if (Status->listening())
        Status->say(spokenLine());
}

// What the child needs now, heard and on braille alike: the question and
// its keys; during a game the next letter, with its word where one begins,
// or the mistake with the finger that strikes the letter's key.
QString TForm1::spokenLine() const
{
    const QString prompt = sentence(Label5->text());
    if (game_->levelButtonsVisible())
        return prompt + QLatin1Char(' ') + levelKeys;
    if (game_->answerButtonsVisible())
        return prompt + QLatin1Char(' ') + answerKeys;
    const GameState& state = game_->state();
    const QString letter = spokenLetter(state.expectedChar());
    if (letter.isEmpty())
        return {};
    if (state.ErrorPending)
        return QStringLiteral("Ошибка. ") + letter + QStringLiteral(", ")
               + sentence(QString::fromStdU16String(fingerName(state.expectedChar())));
    const QString word = wordStartingHere(state);
    return word.isEmpty() ? sentence(letter) : sentence(word) + QLatin1Char(' ') + sentence(letter);
}

// The state of a game under way; nothing while a question waits, whose
// line says it all.
QString TForm1::spokenStatus() const
{
    if (game_->levelButtonsVisible() || game_->answerButtonsVisible())
        return {};
    const GameState& state = game_->state();
    QStringList parts{sentence(Label5->text()), exerciseReading(state.ExerciseNumber),
                      reading(Label1, LMDSimpleLabel1)};
    parts << statisticsReadings();
    if (game_->pausePressed())
        parts << sentence(LMDMMButton1->caption());
    return parts.join(QLatin1Char(' '));
}
