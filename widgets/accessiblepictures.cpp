#include "accessiblepictures.h"

#include "accessibility.h"
#include "paintbox.h"

#include <QApplication>
#include <QMenu>

// ---- ImageBox, RoundedShape

AccessibleImageBox::AccessibleImageBox(QWidget* picture) : QAccessibleWidget(picture, QAccessible::Graphic) {}

QAccessible::State AccessibleImageBox::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (isDecoration(widget()))
        state.invisible = true;
    return state;
}

// ---- PaintBox

AccessiblePaintBox::AccessiblePaintBox(PaintBox* box) : AccessibleReadOnlyText(box, QAccessible::Graphic) {}

PaintBox* AccessiblePaintBox::box() const
{
    return static_cast<PaintBox*>(widget());
}

QString AccessiblePaintBox::text(QAccessible::Text t) const
{
    if (t == QAccessible::Description && !box()->spokenDescription().isEmpty())
        return box()->spokenDescription();
    if (t == QAccessible::Value)
        return box()->spokenText();
    return QAccessibleWidget::text(t);
}

QString AccessiblePaintBox::readText() const
{
    return box()->spokenText();
}

int AccessiblePaintBox::caret() const
{
    return qMax(0, box()->spokenCaret());
}

// ---- SidePanel, TransparentPanel

AccessiblePanel::AccessiblePanel(QWidget* panel) : QAccessibleWidget(panel, QAccessible::Pane) {}

QAccessible::State AccessiblePanel::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.focused = QApplication::focusWidget() == widget();
    return state;
}

QList<QWidget*> AccessiblePanel::spokenChildren() const
{
    QList<QWidget*> children;
    for (QObject* object : widget()->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child && !child->isWindow() && !qobject_cast<QMenu*>(child) && !isDecoration(child))
            children.append(child);
    }
    return children;
}

int AccessiblePanel::childCount() const
{
    return int(spokenChildren().size());
}

QAccessibleInterface* AccessiblePanel::child(int index) const
{
    const QList<QWidget*> children = spokenChildren();
    if (index < 0 || index >= children.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(children.at(index));
}

int AccessiblePanel::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    return int(spokenChildren().indexOf(qobject_cast<QWidget*>(child->object())));
}
