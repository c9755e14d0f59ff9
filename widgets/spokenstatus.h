#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

// What a window tells a listener who cannot see it. An invisible control
// that holds the window's keyboard focus, so that a screen reader follows
// it: its accessible text is whatever the owner's source says at the moment
// it is asked (a screen reader's where-am-I and review read it), and
// announce() has a short text spoken at once. It draws nothing and lets the
// mouse through, so nobody who looks at the window sees it; while no
// assistive technology listens, announce() does nothing at all.
class SpokenStatus : public QWidget
{
    Q_OBJECT

public:
    explicit SpokenStatus(QWidget* parent = nullptr);

    void setTextSource(std::function<QString()> source) { source_ = std::move(source); }
    QString text() const { return source_ ? source_() : QString(); }

    // Whether assistive technology listens: Qt's accessibility is active,
    // unless another judge is set (tests, where no platform listens).
    void setListening(std::function<bool()> listening) { listening_ = std::move(listening); }
    bool listening() const;

    // Queues `text` to be spoken. Everything queued during one turn of the
    // event loop is spoken as one announcement, in the order queued, so that
    // a later part never cuts off an earlier one.
    void announce(const QString& text);
signals:
    // Emitted with each announcement as it is spoken.
    void announced(const QString& text);

private:
    void speakQueued();

    std::function<QString()> source_;
    std::function<bool()> listening_;
    QStringList queued_;
    // Where the platform has no announcement event (Qt before 6.8), a
    // notification shown anew for each announcement: screen readers speak
    // a notification as it appears. Made on first use.
    QWidget* notification_ = nullptr;
};
