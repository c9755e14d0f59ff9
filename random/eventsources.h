#pragma once

// The generator's live feeds: the keyboard and mouse events of the GUI thread
// and a fast timer. The application installs them (an event filter and a
// timer) and has each event call RNDGen::keyboardEvent, mouseEvent or
// timerEvent with a fresh counter reading.
class EventSources {
public:
    virtual ~EventSources() = default;
    virtual void install() = 0;
    virtual void remove() = 0;
};
