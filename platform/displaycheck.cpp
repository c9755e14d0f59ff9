#include "displaycheck.h"

#include <QGuiApplication>
#include <QScreen>

ScreenInfo primaryScreenInfo()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    // The rules are about the screen's own pixels: a desktop scaled to 200 %
    // shows a 1920 x 1080 screen to Qt as 960 x 540.
    const QSize device = (QSizeF(screen->size()) * screen->devicePixelRatio()).toSize();
    return {screen->depth(), device.width(), device.height()};
}

QStringList displayProblems(const ScreenInfo& screen)
{
    QStringList problems;
    if (screen.depth < 16)
        problems << QStringLiteral(
            "Эта программа использует 16-разрядный цвет (High color).\n"
            "Нажмите ОК, чтобы завершить работу, измените параметры экрана и запустите программу заново.");
    if (screen.width < 800 || screen.height < 600)
        problems << QStringLiteral(
            "Эта программа использует разрешение экрана 800х600.\n"
            "Нажмите ОК, чтобы завершить работу, измените параметры экрана и запустите программу заново.");
    return problems;
}

QString displayProblemTitle()
{
    return QStringLiteral("Неприемлемый режим экрана");
}
