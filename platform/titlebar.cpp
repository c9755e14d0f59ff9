#include "titlebar.h"

#include "environment.h"
#include "fonts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

constexpr int kButtonWidth = 16, kButtonHeight = 14, kButtonGap = 2, kRightMargin = 3;

bool minimiseOffered = true;

// A caption button in the classic raised look with its glyph.
class CaptionButton : public QAbstractButton {
public:
    enum class Glyph { Minimise, Close };

    CaptionButton(Glyph glyph, const QString& name, QWidget* parent) : QAbstractButton(parent), glyph_(glyph)
    {
        setFocusPolicy(Qt::NoFocus);
        setAccessibleName(name);
        resize(kButtonWidth, kButtonHeight);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QRect r = rect();
        const bool down = isDown();
        p.fillRect(r, QColor(0xC0, 0xC0, 0xC0));
        p.setPen(down ? Qt::black : Qt::white);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(down ? Qt::white : Qt::black);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        const int shift = down ? 1 : 0;
        const QPoint c = r.center() + QPoint(shift, shift);
        if (glyph_ == Glyph::Minimise) {
            p.fillRect(c.x() - 3, c.y() + 2, 6, 2, Qt::black);
        } else {
            p.setPen(QPen(Qt::black, 1.5));
            p.setRenderHint(QPainter::Antialiasing);
            p.drawLine(QPointF(c.x() - 3, c.y() - 3), QPointF(c.x() + 3, c.y() + 3));
            p.drawLine(QPointF(c.x() - 3, c.y() + 3), QPointF(c.x() + 3, c.y() - 3));
        }
    }

private:
    Glyph glyph_;
};

}  // namespace

bool TitleBar::wanted(const QString& platformName, bool decorationsDisabled)
{
    return platformName.startsWith(QLatin1String("wayland")) && !decorationsDisabled;
}

bool TitleBar::wantedHere()
{
    return wanted(QGuiApplication::platformName(), qEnvironmentVariableIsSet(NoQtDecorationVariable));
}

void TitleBar::setMinimiseOffered(bool offered)
{
    minimiseOffered = offered;
}

TitleBar::TitleBar(QWidget* window, Qt::WindowFlags flags) : QWidget(window), window_(window)
{
    setObjectName(QStringLiteral("TitleBar"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(courierNew(13, true));
    if ((flags & Qt::WindowMinimizeButtonHint) && minimiseOffered) {
        minimise_ = new CaptionButton(CaptionButton::Glyph::Minimise, QStringLiteral("Свернуть"), this);
        connect(minimise_, &QAbstractButton::clicked, window, &QWidget::showMinimized);
    }
    if (flags & Qt::WindowCloseButtonHint) {
        close_ = new CaptionButton(CaptionButton::Glyph::Close, QStringLiteral("Закрыть"), this);
        connect(close_, &QAbstractButton::clicked, window, &QWidget::close);
    }
    window->installEventFilter(this);
}

void TitleBar::installWhereWanted(QWidget* window)
{
    if (wantedHere())
        install(window);
}

TitleBar* TitleBar::install(QWidget* window)
{
    if (TitleBar* existing = of(window))
        return existing;
    const QList<QWidget*> children = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    const Qt::WindowFlags flags = window->windowFlags();
    // Qt drops the frameless hint beside title and button hints, so the
    // window keeps only its type; the bar draws what the hints asked for.
    window->setWindowFlags((flags & (Qt::WindowType_Mask | Qt::WindowStaysOnTopHint)) | Qt::FramelessWindowHint);
    auto* bar = new TitleBar(window, flags);
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        QMargins m = main->contentsMargins();
        m.setTop(m.top() + kHeight);
        main->setContentsMargins(m);
    } else {
        for (QWidget* child : children) {
            if (!child->isWindow())
                child->move(child->x(), child->y() + kHeight);
        }
        if (window->minimumSize() == window->maximumSize())
            window->setFixedSize(window->width(), window->height() + kHeight);
        else
            window->resize(window->width(), window->height() + kHeight);
    }
    bar->follow();
    bar->raise();
    return bar;
}

TitleBar* TitleBar::of(const QWidget* window)
{
    return window ? window->findChild<TitleBar*>(QStringLiteral("TitleBar"), Qt::FindDirectChildrenOnly) : nullptr;
}

void TitleBar::setFixedClientSize(QWidget* window, int width, int height)
{
    TitleBar* bar = of(window);
    window->setFixedSize(width, height + (bar ? kHeight : 0));
    if (bar)
        bar->follow();
}

void TitleBar::follow()
{
    setGeometry(0, 0, window_->width(), kHeight);
    placeButtons();
}

void TitleBar::placeButtons()
{
    int right = width() - kRightMargin;
    const int top = (kHeight - kButtonHeight) / 2;
    if (close_) {
        right -= kButtonWidth;
        close_->move(right, top);
        right -= kButtonGap;
    }
    if (minimise_) {
        right -= kButtonWidth;
        minimise_->move(right, top);
    }
}

void TitleBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const bool active = window_->isActiveWindow();
    p.fillRect(rect(), QColor::fromRgb(active ? kActiveColour : kInactiveColour));
    p.setPen(active ? Qt::white : QColor(0xC0, 0xC0, 0xC0));
    int textRight = width() - kRightMargin;
    if (minimise_)
        textRight = minimise_->x();
    else if (close_)
        textRight = close_->x();
    const QRect text(4, 0, textRight - 8, kHeight);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
               fontMetrics().elidedText(window_->windowTitle(), Qt::ElideRight, text.width()));
}

// The move starts once the pointer has gone the drag distance with the
// button down, not at the press: a compositor that gets the move request
// only after a quick click has been released holds the pointer and the
// keyboard in a move nobody makes, and the letters typed next are lost.
void TitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        pressedAt_ = event->position().toPoint();
    event->accept();
}

void TitleBar::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (!pressedAt_ || !(event->buttons() & Qt::LeftButton)) {
        pressedAt_.reset();
        return;
    }
    if ((event->position().toPoint() - *pressedAt_).manhattanLength() < QApplication::startDragDistance())
        return;
    pressedAt_.reset();
    if (window_->windowHandle())
        window_->windowHandle()->startSystemMove();
}

void TitleBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}

bool TitleBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::Resize: follow(); break;
        case QEvent::WindowTitleChange:
        case QEvent::ActivationChange: update(); break;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
