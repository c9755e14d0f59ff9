#include "accessiblecontrols.h"

#include "fillbar.h"
#include "picturebutton.h"
#include "progressmeter.h"
#include "simplelabel.h"
#include "spokenstatus.h"

#include <QApplication>
#include <QMetaObject>
#include <QPointer>
#include <QRegularExpression>

namespace {

// One line for a listener: breaks of any kind read as one space.
QString spoken(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\\s*[\\r\\n]+\\s*"));
    return QString(text).replace(breaks, QStringLiteral(" ")).trimmed();
}

// True while a modal window other than the button's own is open: the mouse
// cannot reach the button then, and its action must not either (a click
// would run in the middle of whatever waits for the modal window).
bool blockedByModal(const QWidget* widget)
{
    const QWidget* modal = QApplication::activeModalWidget();
    return modal && modal != widget->window() && !modal->isAncestorOf(widget);
}

}  // namespace

// ---- PictureButton

AccessiblePictureButton::AccessiblePictureButton(PictureButton* button) : QAccessibleWidget(button, QAccessible::Button)
{
}

PictureButton* AccessiblePictureButton::button() const
{
    return static_cast<PictureButton*>(widget());
}

QString AccessiblePictureButton::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && button()->accessibleName().isEmpty())
        return spoken(button()->caption());
    return QAccessibleWidget::text(t);
}

QAccessible::State AccessiblePictureButton::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const PictureButton* b = button();
    state.checkable = b->groupIndex() != 0;
    state.checked = b->isPressed();
    state.pressed = b->isPressed() || b->isDown();
    return state;
}

QStringList AccessiblePictureButton::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (button()->isEnabled()) {
        names.prepend(pressAction());
        if (button()->groupIndex() != 0)
            names.append(toggleAction());
    }
    return names;
}

void AccessiblePictureButton::doAction(const QString& actionName)
{
    if (actionName == pressAction() || actionName == toggleAction()) {
        // Checked again when the click runs: things may change in between,
        // and click() itself does nothing while the button is disabled.
        QPointer<PictureButton> target = button();
        if (target->isEnabled() && !blockedByModal(target))
            QMetaObject::invokeMethod(
                target,
                [target] {
                    if (target && !blockedByModal(target))
                        target->click();
                },
                Qt::QueuedConnection);
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

// ---- SimpleLabel

AccessibleSimpleLabel::AccessibleSimpleLabel(SimpleLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

SimpleLabel* AccessibleSimpleLabel::label() const
{
    return static_cast<SimpleLabel*>(widget());
}

QString AccessibleSimpleLabel::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && label()->accessibleName().isEmpty())
        return spoken(label()->text());
    return QAccessibleWidget::text(t);
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
AccessibleSimpleLabel::relations(QAccessible::Relation match) const
{
    auto rels = QAccessibleWidget::relations(match);
    if ((match & QAccessible::Labelled) && label()->buddy()) {
        if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(label()->buddy()))
            rels.append({iface, QAccessible::Labelled});
    }
    if ((match & QAccessible::Label) && label()->parentWidget()) {
        const auto siblings =
            label()->parentWidget()->findChildren<SimpleLabel*>(QString(), Qt::FindDirectChildrenOnly);
        for (SimpleLabel* sibling : siblings) {
            if (sibling->buddy() != label())
                continue;
            if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(sibling))
                rels.append({iface, QAccessible::Label});
        }
    }
    return rels;
}

// ---- read-only bars

AccessibleReadOnlyBar::AccessibleReadOnlyBar(QWidget* bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

void* AccessibleReadOnlyBar::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

// ---- ProgressMeter

AccessibleProgressMeter::AccessibleProgressMeter(ProgressMeter* meter) : AccessibleReadOnlyBar(meter) {}

ProgressMeter* AccessibleProgressMeter::meter() const
{
    return static_cast<ProgressMeter*>(widget());
}

QString AccessibleProgressMeter::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && meter()->accessibleName().isEmpty())
        return spoken(meter()->caption());
    if (t == QAccessible::Value)
        return QString::number(meter()->value());
    return QAccessibleWidget::text(t);
}

QVariant AccessibleProgressMeter::currentValue() const
{
    return meter()->value();
}

QVariant AccessibleProgressMeter::maximumValue() const
{
    return meter()->maximum();
}

// ---- FillBar

AccessibleFillBar::AccessibleFillBar(FillBar* bar) : AccessibleReadOnlyBar(bar) {}

FillBar* AccessibleFillBar::bar() const
{
    return static_cast<FillBar*>(widget());
}

QString AccessibleFillBar::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return QStringLiteral("%1%").arg(bar()->position());
    return QAccessibleWidget::text(t);
}

QVariant AccessibleFillBar::currentValue() const
{
    return bar()->position();
}

// ---- read-only text

AccessibleReadOnlyText::AccessibleReadOnlyText(QWidget* widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
{
}

void* AccessibleReadOnlyText::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

void AccessibleReadOnlyText::selection(int, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

QString AccessibleReadOnlyText::text(int startOffset, int endOffset) const
{
    const QString all = readText();
    if (endOffset < 0 || endOffset > all.size())
        endOffset = int(all.size());
    startOffset = qBound(0, startOffset, endOffset);
    return all.mid(startOffset, endOffset - startOffset);
}

QString AccessibleReadOnlyText::attributes(int offset, int* startOffset, int* endOffset) const
{
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

// ---- SpokenStatus

AccessibleSpokenStatus::AccessibleSpokenStatus(SpokenStatus* status)
    : AccessibleReadOnlyText(status, QAccessible::EditableText)
{
}

QAccessible::State AccessibleSpokenStatus::state() const
{
    QAccessible::State state = AccessibleReadOnlyText::state();
    state.readOnly = true;
    state.editable = false;
    return state;
}

QString AccessibleSpokenStatus::readText() const
{
    return static_cast<SpokenStatus*>(widget())->text();
}

int AccessibleSpokenStatus::caret() const
{
    return static_cast<SpokenStatus*>(widget())->caret();
}
