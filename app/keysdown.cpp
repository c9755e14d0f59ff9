#include "keysdown.h"

#include <QEventLoop>
#include <QTimer>

namespace {
// A key by its place on the keyboard where the event has one, else by Qt's
// key (synthesised events).
quint32 keyId(const QKeyEvent& event)
{
    return event.nativeScanCode() != 0 ? event.nativeScanCode() : quint32(event.key()) | 0x80000000u;
}
}  // namespace

void KeysDown::follow(const QKeyEvent& event)
{
    if (event.isAutoRepeat())
        return;
    if (event.type() == QEvent::KeyPress)
        down_.insert(keyId(event));
    else if (event.type() == QEvent::KeyRelease)
        down_.remove(keyId(event));
    if (down_.isEmpty() && loop_)
        loop_->quit();
}

void KeysDown::forget()
{
    down_.clear();
    if (loop_)
        loop_->quit();
}

void KeysDown::waitUntilUp(int patience)
{
    if (down_.isEmpty() || loop_)
        return;
    QEventLoop loop;
    loop_ = &loop;
    QTimer::singleShot(patience, &loop, &QEventLoop::quit);
    loop.exec();
    loop_ = nullptr;
}

void KeysDown::keep(const QKeyEvent& event)
{
    kept_.emplace_back(event.clone());
}

std::vector<std::unique_ptr<QKeyEvent>> KeysDown::takeKept()
{
    return std::exchange(kept_, {});
}
