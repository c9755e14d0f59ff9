// The main window as assistive technology meets it: names for the pictures
// that carry meaning, the statistics captions tied to their values, and the
// words behind the typing field and the keyboard picture.
#include "tform1.h"

#include "imagebox.h"
#include "paintbox.h"
#include "progressmeter.h"
#include "simplelabel.h"

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

}  // namespace

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
}

void TForm1::describeKeyUnlit()
{
    PaintBox2->setSpokenText(QString());
    PaintBox2->setSpokenDescription(QString());
}
