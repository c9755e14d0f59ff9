#include "entropy.h"

#include <QCoreApplication>
#include <QEvent>

#include "rndgen.h"

TimerTickSource::TimerTickSource(int intervalMilliseconds)
{
    timer_.setInterval(intervalMilliseconds);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick_(); });
    clock_.start();
}

void TimerTickSource::start(std::function<void()> tick)
{
    tick_ = std::move(tick);
    timer_.start();
}

void TimerTickSource::stop()
{
    timer_.stop();
}

EntropyFeeder::EntropyFeeder(RNDGen& generator, std::unique_ptr<TickSource> ticks)
    : generator_(generator), ticks_(ticks ? std::move(ticks) : std::make_unique<TimerTickSource>(TickMilliseconds))
{
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
    ticks_->stop();
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
    default: break;
    }
    return false;
}

void EntropyFeeder::inputArrived()
{
    lastInput_ = ticks_->nowMilliseconds();
    if (installed_ && !ticks_->isActive())
        ticks_->start([this] { tick(); });
}

void EntropyFeeder::tick()
{
    generator_.timerEvent(generator_.readCounter());
    if (ticks_->nowMilliseconds() - lastInput_ > RestAfterMilliseconds)
        ticks_->stop();
}
