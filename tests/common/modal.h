#pragma once

#include <functional>

class QWidget;

// Answers the next modal dialog(s) opened by `action`: each time a modal
// widget becomes active it is shown to `inspect` (if given) and then sent
// Enter. Returns how many modals were answered.
int answerModals(const std::function<void()>& action,
                 const std::function<void(QWidget*)>& inspect = {});
