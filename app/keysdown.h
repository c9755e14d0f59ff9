#pragma once

#include <QKeyEvent>
#include <QSet>
#include <memory>
#include <vector>

class QEventLoop;

// The keys held down in the program's windows, followed from the key events
// that the main window's application-wide filter sees. From Qt 6.8 on, Qt
// hands a key to the window before a screen reader has handled it, and the
// reader's echo of the key then cuts short whatever the key brought up: a
// dialog's reading, an announcement (before 6.8 only when the reader is
// late). What a key brings up for a listener therefore waits until the key
// is up again.
class KeysDown {
public:
    // Before 6.8, Qt hands a key to the window only once the screen reader
    // has answered for it, or after 100 ms without an answer.
    static constexpr bool readerMayLag = QT_VERSION >= QT_VERSION_CHECK(6, 8, 0);

    // A key press or release; an event seen more than once on its way
    // through the widgets counts once, a repeat of a held key not at all.
    void follow(const QKeyEvent& event);
    bool any() const { return !down_.isEmpty(); }
    // The program has lost the keyboard: the releases of the keys held now
    // go to another program.
    void forget();

    // Runs the event loop until no key is down, or for `patience` ms at
    // most (a release that went to another program never comes). The key
    // presses that arrive meanwhile are to be kept, not judged.
    void waitUntilUp(int patience);
    bool waiting() const { return loop_ != nullptr; }
    void keep(const QKeyEvent& event);
    // The kept key presses, oldest first, each handed out once.
    std::vector<std::unique_ptr<QKeyEvent>> takeKept();

private:
    QSet<quint32> down_;
    QEventLoop* loop_ = nullptr;
    std::vector<std::unique_ptr<QKeyEvent>> kept_;
};
