#include "scaledapplication.h"

#include <QScreen>

#include "windowscale.h"

namespace {

bool scaleForcedByEnvironment()
{
    return qEnvironmentVariableIsSet("QT_SCALE_FACTOR") || qEnvironmentVariableIsSet("QT_SCREEN_SCALE_FACTORS");
}

// True once the primary screen shows at exactly `scale` with 96-dpi fonts.
bool shownAt(int scale)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return !screen || (screen->devicePixelRatio() == scale && screen->logicalDotsPerInch() == 96);
}

}  // namespace

std::unique_ptr<QApplication> makeScaledApplication(int& argc, char** argv)
{
    // Qt keeps the desktop's factor as it is (1.5 stays 1.5); rounding is ours.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    const bool forced = scaleForcedByEnvironment();
    auto app = std::make_unique<QApplication>(argc, argv);
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return app;
    const qreal factor = screen->devicePixelRatio();
    const QSize available = (QSizeF(screen->availableGeometry().size()) * factor).toSize();
    const int scale = forced ? wholeScale(factor) : windowScale(factor, available);

    // Qt's global factor times what the platform still applies by itself (a
    // Wayland compositor's output scale) must give the scale: a second try
    // divides out what the first one found.
    qreal global = scale;
    for (int attempt = 0; attempt < 2 && !shownAt(scale); ++attempt) {
        if (attempt > 0)
            global *= scale / QGuiApplication::primaryScreen()->devicePixelRatio();
        app.reset();
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
        qputenv("QT_FONT_DPI", "96");
        qunsetenv("QT_SCREEN_SCALE_FACTORS");
        qunsetenv("QT_DEVICE_PIXEL_RATIO");
        qputenv("QT_SCALE_FACTOR", QByteArray::number(global, 'g', 17));
        app = std::make_unique<QApplication>(argc, argv);
        if (!QGuiApplication::primaryScreen() || QGuiApplication::primaryScreen()->devicePixelRatio() == scale)
            break;
    }
    return app;
}
