#include "classiclook.h"

#include <QApplication>
#include <QPalette>

#include "classicstyle.h"
#include "colorref.h"
#include "fonts.h"

void applyClassicLook(QApplication& app)
{
    registerEmbeddedFonts();
    app.setStyle(new ClassicStyle);

    const QColor face = colorRef(clButtonFace);
    const QColor shadow = colorRef(clButtonShadow);
    QPalette palette;
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, face);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Light, Qt::white);
    palette.setColor(QPalette::Midlight, QColor(0xDF, 0xDF, 0xDF));
    palette.setColor(QPalette::Mid, shadow);
    palette.setColor(QPalette::Dark, shadow);
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Highlight, colorRef(clHighlight));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, shadow);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, shadow);
    palette.setColor(QPalette::Disabled, QPalette::Text, shadow);
    app.setPalette(palette);

    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    app.setFont(font);
}
