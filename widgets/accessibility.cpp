#include "accessibility.h"

#include "accessiblecontrols.h"
#include "accessiblepictures.h"
#include "fillbar.h"
#include "imagebox.h"
#include "paintbox.h"
#include "picturebutton.h"
#include "progressmeter.h"
#include "roundedshape.h"
#include "sidepanel.h"
#include "spokenstatus.h"
#include "simplelabel.h"
#include "transparentpanel.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QCoreApplication>
#include <QMainWindow>

namespace {

QString& programName()
{
    static QString name;
    return name;
}

// The application as a whole, under the program's name.
class AccessibleProgram : public QAccessibleApplication {
public:
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? programName() : QAccessibleApplication::text(t);
    }
};

// Qt asks with the class name of each class in the object's chain, most
// derived first; an answer of nullptr lets it try the base classes.
QAccessibleInterface* widgetsFactory(const QString& className, QObject* object)
{
    if (object && object == QCoreApplication::instance() && !programName().isEmpty()
        && className == QLatin1String(object->metaObject()->className()))
        return new AccessibleProgram;
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("PictureButton"))
        return new AccessiblePictureButton(static_cast<PictureButton*>(widget));
    if (className == QLatin1String("SimpleLabel"))
        return new AccessibleSimpleLabel(static_cast<SimpleLabel*>(widget));
    if (className == QLatin1String("ProgressMeter"))
        return new AccessibleProgressMeter(static_cast<ProgressMeter*>(widget));
    if (className == QLatin1String("FillBar"))
        return new AccessibleFillBar(static_cast<FillBar*>(widget));
    if (className == QLatin1String("PaintBox"))
        return new AccessiblePaintBox(static_cast<PaintBox*>(widget));
    if (className == QLatin1String("ImageBox"))
        return new AccessibleImageBox(static_cast<ImageBox*>(widget));
    if (className == QLatin1String("RoundedShape"))
        return new AccessibleImageBox(widget);
    if (className == QLatin1String("SpokenStatus"))
        return new AccessibleSpokenStatus(static_cast<SpokenStatus*>(widget));
    if (className == QLatin1String("SidePanel") || className == QLatin1String("TransparentPanel"))
        return new AccessiblePanel(widget);
    // A spoken status's notification: read as it appears.
    if (className == QLatin1String("QWidget") && qobject_cast<SpokenStatus*>(widget->parentWidget()))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    // A main window's central area that is a plain widget holds controls,
    // like a panel; Qt would call it a nameless filler.
    if (className == QLatin1String("QWidget") && widget->metaObject() == &QWidget::staticMetaObject) {
        auto* window = qobject_cast<QMainWindow*>(widget->parentWidget());
        if (window && window->centralWidget() == widget)
            return new AccessiblePanel(widget);
    }
    return nullptr;
}

}  // namespace

void installAccessibility(const QString& name)
{
    if (!name.isEmpty())
        programName() = name;
    // Qt keeps a factory only once however often it is installed.
    QAccessible::installFactory(widgetsFactory);
}

bool isDecoration(const QWidget* widget)
{
    if (qobject_cast<const RoundedShape*>(widget))
        return widget->accessibleName().isEmpty();
    if (qobject_cast<const ImageBox*>(widget))
        return widget->accessibleName().isEmpty() && widget->toolTip().isEmpty();
    return false;
}
