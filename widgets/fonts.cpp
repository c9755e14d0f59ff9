#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>

static void initWidgetsResources()
{
    Q_INIT_RESOURCE(fonts);
}

void registerEmbeddedFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    initWidgetsResources();
    for (const char* face : {":/fonts/LiberationMono-Regular.ttf", ":/fonts/LiberationMono-Bold.ttf",
                             ":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"})
        QFontDatabase::addApplicationFont(QString::fromLatin1(face));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

QFont courierNew(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}
