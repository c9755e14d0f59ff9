#include "displaycheck.h"

#include <QGuiApplication>
#include <QScreen>

ScreenInfo primaryScreenInfo()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return {screen->depth(), screen->size().width(), screen->size().height()};
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
