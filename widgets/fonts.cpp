#include "fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QResource>
#include <QStringList>

#include <fontconfig/fontconfig.h>

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
                             ":/fonts/LiberationSans-Regular.ttf"}) {
        // The faces are stored uncompressed, so the font engine reads them in
        // place from the executable instead of from a heap copy of each file.
        const QResource resource(QString::fromLatin1(face));
        if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression)
            QFontDatabase::addApplicationFontFromData(
                QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), resource.size()));
        else
            QFontDatabase::addApplicationFont(QString::fromLatin1(face));
    }
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

QFont courierNew(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    // Crisp, unsmoothed letters as on the classic desktop. On a 16-bit screen
    // Qt draws unsmoothed glyphs into the window's 16-bit surface wrongly
    // (shrunken, repeated, stray copies beside the widget), so there the
    // letters are smoothed instead.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const bool highColour = screen && screen->depth() < 24;
    font.setStyleStrategy(highColour ? QFont::PreferDefault : QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

FontConfigurationReader::FontConfigurationReader() : thread_([] { FcInit(); }) {}

FontConfigurationReader::~FontConfigurationReader()
{
    finish();
}

void FontConfigurationReader::finish()
{
    if (thread_.joinable())
        thread_.join();
}
