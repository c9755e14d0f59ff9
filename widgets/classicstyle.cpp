#include "classicstyle.h"

#include <QIconEngine>
#include <QStyleFactory>

namespace {

// A standard icon of `style` that is fetched on the first question about its
// pictures.
class DeferredStandardIcon final : public QIconEngine {
public:
    DeferredStandardIcon(const QStyle* style, QStyle::StandardPixmap which) : style_(style), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // Asked as soon as a button is given the icon; Fusion has pictures for
    // every icon deferred here.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("DeferredStandardIcon"); }
    QIconEngine* clone() const override { return new DeferredStandardIcon(style_, which_); }

private:
    const QIcon& icon()
    {
        if (!fetched_) {
            icon_ = style_->standardIcon(which_);
            fetched_ = true;
        }
        return icon_;
    }

    const QStyle* style_;
    QStyle::StandardPixmap which_;
    QIcon icon_;
    bool fetched_ = false;
};

}  // namespace

ClassicStyle::ClassicStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QIcon ClassicStyle::standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const
{
    const bool extensionArrow =
        which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton;
    if (extensionArrow && !option)
        return QIcon(new DeferredStandardIcon(baseStyle(), which));
    return QProxyStyle::standardIcon(which, option, widget);
}
