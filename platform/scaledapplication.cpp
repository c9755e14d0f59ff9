#include "scaledapplication.h"

#include <QScreen>
#include <vector>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "environment.h"
#include "fonts.h"
#include "windowscale.h"

namespace {

bool scaleForcedByEnvironment()
{
    return qEnvironmentVariableIsSet("QT_SCALE_FACTOR") || qEnvironmentVariableIsSet("QT_SCREEN_SCALE_FACTORS");
}

qreal primaryRatio()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1;
}

// Qt's global factor is the scale, the platform's own factor from the
// desktop's font resolution is off, and fonts are at 96 dpi. Qt reads some
// of these once per process, hence the new start.
void setScaleEnvironment(int scale, qreal global)
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_FONT_DPI", "96");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_DEVICE_PIXEL_RATIO");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(global, 'g', 17));
    qputenv(ChosenScaleVariable, QByteArray::number(scale));
}

}  // namespace

std::unique_ptr<QApplication> makeScaledApplication(int& argc, char** argv)
{
    // Qt keeps the desktop's factor as it is (1.5 stays 1.5); rounding is ours.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    const std::vector<char*> arguments(argv, argv + argc + 1);  // Qt takes its own options out of argv
    bool ok = false;
    int scale = qEnvironmentVariableIntValue(ChosenScaleVariable, &ok);
    const bool chosen = ok && scale >= 1;
    if (chosen)
        setScaleEnvironment(scale, scale);

    std::unique_ptr<QApplication> app;
    {
        // The font configuration is read meanwhile; the environment stays as
        // it is until the reader is done.
        FontConfigurationReader fonts;
        app = std::make_unique<QApplication>(argc, argv);
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return app;
    if (!chosen) {
        const qreal factor = screen->devicePixelRatio();
        const QSize available = (QSizeF(screen->availableGeometry().size()) * factor).toSize();
        scale = scaleForcedByEnvironment() ? wholeScale(factor) : windowScale(factor, available);
        if (factor == scale && screen->logicalDotsPerInch() == 96)
            return app;  // the desktop's own scale: nothing to change
        const QByteArray program = QCoreApplication::applicationFilePath().toLocal8Bit();
        app.reset();
        setScaleEnvironment(scale, scale);
#ifdef Q_OS_UNIX
        ::execv(program.constData(), arguments.data());
#endif
        // Where the program cannot start itself again it goes on here, with
        // the fonts perhaps at the desktop's resolution.
        app = std::make_unique<QApplication>(argc, argv);
    }
    // A platform that scales windows itself (a Wayland compositor's output
    // scale) multiplies Qt's factor: divide it out.
    const qreal ratio = primaryRatio();
    if (ratio != scale && ratio > 0) {
        app.reset();
        setScaleEnvironment(scale, scale * scale / ratio);
        app = std::make_unique<QApplication>(argc, argv);
    }
    return app;
}
