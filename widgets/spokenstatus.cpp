#include "spokenstatus.h"

#include <QAccessible>
#include <QTimer>

#include "afterpaint.h"

SpokenStatus::SpokenStatus(QWidget* parent) : QWidget(parent), sender_(new AfterPaint(this, [this] { send(); }))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QString SpokenStatus::text() const
{
    const QString state = source_ ? source_() : QString();
    const QString now = line();
    if (state.isEmpty() || now.isEmpty())
        return now + state;
    return now + QLatin1Char(' ') + state;
}

bool SpokenStatus::listening() const
{
    // Nobody hears a window that is not shown yet: a screen reader reads the
    // focus when it appears.
    return (listening_ ? listening_() : QAccessible::isActive()) && window()->isVisible();
}

void SpokenStatus::announce(const QString& text)
{
    if (text.isEmpty() || !listening())
        return;
    queued_.append(text);
    sendLater();
}

void SpokenStatus::lineChanged()
{
    if (!listening())
        return;
    lineDirty_ = true;
    sendLater();
}

void SpokenStatus::setHeldBack(bool held)
{
    heldBack_ = held;
    if (!held && std::exchange(sendHeld_, false)) {
        patience_->stop();
        sendLater();
    }
}

void SpokenStatus::sendLater()
{
    if (heldBack_) {
        if (!sendHeld_) {
            sendHeld_ = true;
            if (!patience_) {
                patience_ = new QTimer(this);
                patience_->setSingleShot(true);
                patience_->setInterval(500);
                connect(patience_, &QTimer::timeout, this, [this] {
                    sendHeld_ = false;
                    heldBack_ = false;
                    sendLater();
                });
            }
            patience_->start();
        }
        return;
    }
    sender_->request();
}

void SpokenStatus::send()
{
    if (!queued_.isEmpty()) {
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
    // The line after the announcement: a screen reader shows a changed text
    // of the focus on braille at once, ending any message it flashed there.
    if (std::exchange(lineDirty_, false)) {
        const QString now = line();
        if (now != toldLine_ && QAccessible::isActive()) {
            QAccessibleTextUpdateEvent event(this, 0, toldLine_, now);
            QAccessible::updateAccessibility(&event);
            // A screen reader that follows text changes of editable text
            // alone (Orca 48) shows the focus's line anew when its caret
            // moves. The caret is one place on while the event goes out, and
            // back at the start when the reader asks where it is.
            caret_ = 1;
            QAccessibleTextCursorEvent moved(this, caret_);
            QAccessible::updateAccessibility(&moved);
            caret_ = 0;
        }
        toldLine_ = now;
    }
}
