#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class AfterPaint;
class QTimer;

// What a window tells a listener who cannot see it. An invisible control
// that holds the window's keyboard focus, so that a screen reader follows
// it. Its accessible text, one line that a screen reader's where-am-I reads
// whole, has two parts, both asked of the owner at the moment they are
// read: first what matters now (the next letter, a mistake, a question),
// then the state. The caret stays at the start, so a braille display shows
// what matters now in its first cells; lineChanged() tells the screen
// reader to show it anew. announce() has a short text spoken at once. It
// draws nothing
// and lets the mouse through, so nobody who looks at the window sees it;
// while no assistive technology listens, announce() and lineChanged() do
// nothing at all.
class SpokenStatus : public QWidget {
    Q_OBJECT

public:
    explicit SpokenStatus(QWidget* parent = nullptr);

    void setTextSource(std::function<QString()> source) { source_ = std::move(source); }
    void setLineSource(std::function<QString()> source) { lineSource_ = std::move(source); }
    // What matters now, then the state.
    QString text() const;
    QString line() const { return lineSource_ ? lineSource_() : QString(); }
    // The caret's place in text(): at the start, where what matters now is.
    int caret() const { return caret_; }

    // Whether assistive technology listens: the window is shown and Qt's
    // accessibility is active, unless another judge is set (tests, where no
    // platform listens).
    void setListening(std::function<bool()> listening) { listening_ = std::move(listening); }
    bool listening() const;

    // Queues `text` to be spoken. Everything queued before the window next
    // paints is spoken as one announcement, in the order queued, so that a
    // later part never cuts off an earlier one.
    void announce(const QString& text);
    // What matters now may have changed: a screen reader is told, after
    // the announcement queued with it, if it differs from what it was last
    // told.
    void lineChanged();
    // Both: `text` spoken, and what matters now shown anew (the usual answer
    // to a key).
    void say(const QString& text)
    {
        announce(text);
        lineChanged();
    }
    // While held back (a key is down that the screen reader may not have
    // handled yet, and would answer with an echo that cuts in), what is
    // queued waits, for half a second at most.
    void setHeldBack(bool held);

signals:
    // Emitted with each announcement as it is spoken.
    void announced(const QString& text);

private:
    // What listeners are told is sent once the window has painted what is
    // pending, so that it never holds up the pixels of a key.
    void sendLater();
    void send();

    std::function<QString()> source_;
    std::function<QString()> lineSource_;
    std::function<bool()> listening_;
    QStringList queued_;
    AfterPaint* sender_;
    bool lineDirty_ = false;
    int caret_ = 0;
    bool heldBack_ = false;
    bool sendHeld_ = false;
    QTimer* patience_ = nullptr;
    // The line as the screen reader was last told it.
    QString toldLine_;
    // Where the platform has no announcement event (Qt before 6.8), a
    // notification shown anew for each announcement: screen readers speak
    // a notification as it appears. Made on first use.
    QWidget* notification_ = nullptr;
};
