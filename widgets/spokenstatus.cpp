#include "spokenstatus.h"

#include <QAccessible>
#include <QTimer>

SpokenStatus::SpokenStatus(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

bool SpokenStatus::listening() const
{
    return listening_ ? listening_() : QAccessible::isActive();
}

void SpokenStatus::announce(const QString& text)
{
    if (text.isEmpty() || !listening())
        return;
    if (queued_.isEmpty())
        QTimer::singleShot(0, this, &SpokenStatus::speakQueued);
    queued_.append(text);
}

void SpokenStatus::speakQueued()
{
    if (queued_.isEmpty())
        return;
    const QString text = queued_.join(QLatin1Char(' '));
    queued_.clear();
    emit announced(text);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(this, text);
    QAccessible::updateAccessibility(&event);
#else
    if (!notification_) {
        notification_ = new QWidget(this);
        notification_->setObjectName(QStringLiteral("Announcement"));
        notification_->setAttribute(Qt::WA_TransparentForMouseEvents);
        notification_->resize(size());
    }
    // Its accessible interface (a notification) is named by this text.
    notification_->setAccessibleName(text);
    notification_->hide();
    notification_->show();
#endif
}
