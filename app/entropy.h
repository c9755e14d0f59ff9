#pragma once

#include <QObject>
#include <QTimer>

#include "eventsources.h"

class RNDGen;

// Feeds the random generator with the timing of every key and mouse event of
// the application and of a fast timer, all on the GUI thread. The timer runs
// every 10 ms: the finest step a desktop timer reliably keeps, and few enough
// wake-ups that an idle trainer costs almost no processor time.
class EntropyFeeder : public QObject, public EventSources {
public:
    explicit EntropyFeeder(RNDGen& generator);
    ~EntropyFeeder() override;

    void install() override;
    void remove() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RNDGen& generator_;
    QTimer timer_;
    bool installed_ = false;
};
