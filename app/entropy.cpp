#include "entropy.h"

#include <QCoreApplication>
#include <QEvent>

#include "rndgen.h"

EntropyFeeder::EntropyFeeder(RNDGen& generator)
    : generator_(generator)
{
    timer_.setInterval(TickMilliseconds);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &EntropyFeeder::tick);
}

EntropyFeeder::~EntropyFeeder()
{
    remove();
}

void EntropyFeeder::install()
{
    if (installed_)
        return;
    installed_ = true;
    QCoreApplication::instance()->installEventFilter(this);
    inputArrived();
}

void EntropyFeeder::remove()
{
    if (!installed_)
        return;
    installed_ = false;
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
    timer_.stop();
}

bool EntropyFeeder::eventFilter(QObject* watched, QEvent* event)
{
    // Every input event reaches its top-level window first; counting it there
    // feeds one byte per event however far it travels among the widgets.
    if (!watched->isWindowType())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        generator_.keyboardEvent(generator_.readCounter());
        inputArrived();
        break;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        generator_.mouseEvent(generator_.readCounter());
        inputArrived();
        break;
    default:
        break;
    }
    return false;
}

void EntropyFeeder::inputArrived()
{
    sinceInput_.start();
    if (installed_ && !timer_.isActive())
        timer_.start();
}

void EntropyFeeder::tick()
{
    generator_.timerEvent(generator_.readCounter());
    if (sinceInput_.hasExpired(RestAfterMilliseconds))
        timer_.stop();
}
