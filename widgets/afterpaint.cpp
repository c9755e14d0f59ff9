#include "afterpaint.h"

#include <QCoreApplication>
#include <QEvent>

namespace {
const QEvent::Type runEvent = QEvent::Type(QEvent::registerEventType());
}

AfterPaint::AfterPaint(QObject* parent, std::function<void()> work) : QObject(parent), work_(std::move(work)) {}

void AfterPaint::request()
{
    if (posted_)
        return;
    posted_ = true;
    QCoreApplication::postEvent(this, new QEvent(runEvent), Qt::LowEventPriority);
}

bool AfterPaint::event(QEvent* event)
{
    if (event->type() != runEvent)
        return QObject::event(event);
    posted_ = false;
    work_();
    return true;
}
