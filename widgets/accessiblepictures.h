#pragma once

#include <QAccessibleWidget>

class ImageBox;
class PaintBox;

// Accessible interfaces of pictures and containers; the factory in
// accessibility.cpp hands them out.

// A picture (ImageBox, RoundedShape): a graphic named by its accessible name,
// described by its tooltip. A decoration (neither) reads as invisible, in
// case something reaches it where no container of ours leaves it out.
class AccessibleImageBox : public QAccessibleWidget
{
public:
    explicit AccessibleImageBox(QWidget* picture);

    QAccessible::State state() const override;
};

// A paint box: a graphic named by its accessible name, whose text interface
// reads the words it shows with the caret where the owner put it, and whose
// description is the owner's spoken description.
class AccessiblePaintBox : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit AccessiblePaintBox(PaintBox* box);

    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTextInterface: read only, nothing selectable.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override;
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    PaintBox* box() const;
};

// A side panel or transparent panel: a pane whose children are its child
// controls, decorations left out.
class AccessiblePanel : public QAccessibleWidget
{
public:
    explicit AccessiblePanel(QWidget* panel);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    QList<QWidget*> spokenChildren() const;
};
