#pragma once

#include <QObject>
#include <functional>

// Work for listeners (accessibility events) that must not hold up the
// pixels of a key: request() has it run once the window has painted what
// is pending. Qt delivers posted events of low priority after the others,
// the window's update request (its paint) among them. Requests made before
// it runs are answered by one run.
class AfterPaint : public QObject {
public:
    AfterPaint(QObject* parent, std::function<void()> work);

    void request();

protected:
    bool event(QEvent* event) override;

private:
    std::function<void()> work_;
    bool posted_ = false;
};
