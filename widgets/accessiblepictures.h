#pragma once

#include <QAccessibleWidget>

#include "accessiblecontrols.h"

class ImageBox;
class PaintBox;

// Accessible interfaces of pictures and containers; the factory in
// accessibility.cpp hands them out.

// A picture (ImageBox, RoundedShape): a graphic named by its accessible name,
// described by its tooltip. A decoration (neither) reads as invisible, in
// case something reaches it where no container of ours leaves it out.
class AccessibleImageBox : public QAccessibleWidget {
public:
    explicit AccessibleImageBox(QWidget* picture);

    QAccessible::State state() const override;
};

// A paint box: a graphic named by its accessible name, whose text interface
// reads the words it shows with the caret where the owner put it, and whose
// description is the owner's spoken description.
class AccessiblePaintBox : public AccessibleReadOnlyText {
public:
    explicit AccessiblePaintBox(PaintBox* box);

    QString text(QAccessible::Text t) const override;
    using AccessibleReadOnlyText::text;

protected:
    QString readText() const override;
    int caret() const override;

private:
    PaintBox* box() const;
};

// A side panel or transparent panel: a pane whose children are its child
// controls, decorations left out.
class AccessiblePanel : public QAccessibleWidget {
public:
    explicit AccessiblePanel(QWidget* panel);

    // Focused only while the panel itself has the keyboard focus, not while
    // a control it hands the focus to (its focus proxy) has it: a screen
    // reader that starts later looks for the first focused object and must
    // find that control.
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    QList<QWidget*> spokenChildren() const;
};
