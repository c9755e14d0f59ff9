#pragma once

#include <QWidget>

// A container that draws nothing of its own: whatever lies behind it shows
// through, and only its children are seen.
class TransparentPanel : public QWidget {
    Q_OBJECT

public:
    explicit TransparentPanel(QWidget* parent = nullptr);
};
