#pragma once

#include <QProxyStyle>

// The Fusion style, with one difference in when, not in what, it draws: the
// tool-bar extension arrows, which every menu bar asks for while it is built
// but shows only when its menus do not fit, are read from their pictures only
// when first drawn. Reading them at once made Qt load every image-format
// plug-in (SVG, JPEG, GIF, ICO and the libraries behind them) before the main
// window could appear, only to ask each whether it knows a PNG file.
class ClassicStyle : public QProxyStyle {
public:
    ClassicStyle();

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
