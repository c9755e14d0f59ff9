#pragma once

#include <functional>

class QWidget;

// Answers the next modal dialog(s) opened by `action`: each time a modal
// widget becomes active it is shown to `inspect` (if given) and then sent
// Enter. Returns how many modals were answered.
int answerModals(const std::function<void()>& action, const std::function<void(QWidget*)>& inspect = {});

// Watchdogs that end a dialog which failed to close: far beyond anything a
// working dialog needs on a loaded machine, so only a real hang trips them.
inline constexpr int kHungAfter = 60 * 1000;
// Interval for real timers a test drives by hand: they never come due.
inline constexpr int kNever = 24 * 60 * 60 * 1000;
