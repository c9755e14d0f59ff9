#include "modal.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

int answerModals(const std::function<void()>& action, const std::function<void(QWidget*)>& inspect)
{
    int answered = 0;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || answered >= 1000)
            return;
        if (inspect)
            inspect(modal);
        ++answered;
        QTest::keyClick(modal, Qt::Key_Return);
    });
    poll.start();
    action();
    poll.stop();
    return answered;
}
