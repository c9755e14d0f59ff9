#pragma once

#include <QAccessibleWidget>

class FillBar;
class PictureButton;
class ProgressMeter;
class SimpleLabel;
class SpokenStatus;

// Accessible interfaces of the controls that speak or act; the factory in
// accessibility.cpp hands them out.

// A push button named by its caption. Pressing it through the press action
// does what a click does, a moment later (as Qt's own buttons do, so the
// caller is answered before any dialog the click opens); a disabled button
// offers no action and ignores one, and so does a button behind a modal
// window, which the mouse cannot reach either. A group button is checkable, and checked
// and pressed while it stays down.
class AccessiblePictureButton : public QAccessibleWidget {
public:
    explicit AccessiblePictureButton(PictureButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    PictureButton* button() const;
};

// Static text named by what it shows; line breaks become spaces. A label
// with a buddy labels it, and the buddy is labelled by it.
class AccessibleSimpleLabel : public QAccessibleWidget {
public:
    explicit AccessibleSimpleLabel(SimpleLabel* label);

    QString text(QAccessible::Text t) const override;
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match = QAccessible::AllRelations) const override;

private:
    SimpleLabel* label() const;
};

// A progress bar a screen reader reads but cannot set: the value interface
// from a minimum of 0; the bar gives its value and maximum.
class AccessibleReadOnlyBar : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    void* interface_cast(QAccessible::InterfaceType t) override;

    void setCurrentValue(const QVariant&) override {}
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 0; }

protected:
    explicit AccessibleReadOnlyBar(QWidget* bar);
};

// A read-only progress bar: value, minimum 0 and maximum.
class AccessibleProgressMeter : public AccessibleReadOnlyBar {
public:
    explicit AccessibleProgressMeter(ProgressMeter* meter);

    QString text(QAccessible::Text t) const override;
    QVariant currentValue() const override;
    QVariant maximumValue() const override;

private:
    ProgressMeter* meter() const;
};

// The fill bar as a read-only progress bar from 0 to 100 per cent.
class AccessibleFillBar : public AccessibleReadOnlyBar {
public:
    explicit AccessibleFillBar(FillBar* bar);

    QString text(QAccessible::Text t) const override;
    QVariant currentValue() const override;
    QVariant maximumValue() const override { return 100; }

private:
    FillBar* bar() const;
};

// A control whose words a listener reads but cannot change: the text
// interface over readText() with the caret at caret(), nothing selectable,
// one run without attributes. Every character is placed over the whole
// control, so that a screen reader's review finds the words where the
// control is.
class AccessibleReadOnlyText : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    void* interface_cast(QAccessible::InterfaceType t) override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return caret(); }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override { return int(readText().size()); }
    QRect characterRect(int) const override { return rect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    using QAccessibleWidget::text;

protected:
    AccessibleReadOnlyText(QWidget* widget, QAccessible::Role role);
    virtual QString readText() const = 0;
    virtual int caret() const = 0;
};

// The window's spoken status: a read-only text that holds the focus, named
// by its accessible name, reading what the status's sources say now.
class AccessibleSpokenStatus : public AccessibleReadOnlyText {
public:
    explicit AccessibleSpokenStatus(SpokenStatus* status);

    QAccessible::State state() const override;

protected:
    QString readText() const override;
    int caret() const override;
};
