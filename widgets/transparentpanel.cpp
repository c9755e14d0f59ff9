#include "transparentpanel.h"

TransparentPanel::TransparentPanel(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(false);
    setAttribute(Qt::WA_NoSystemBackground);
}
