#pragma once

#include <optional>

#include <QPoint>
#include <QString>
#include <QWidget>

class QAbstractButton;

// The title bar the program draws for its fixed-size windows where the
// window system leaves the title bar to each program (Wayland compositors
// that draw no frames, GNOME's and Weston's among them): there Qt would
// otherwise draw one of its own decoration plug-ins, and those (bradient in
// Qt 6.4 to 6.8, adwaita in 6.8) always show a maximise button and ask the
// compositor to maximise, whatever the window's flags and size limits say.
// GNOME's compositor answers such a request on a fixed-size window by moving
// it to the screen's corner.
//
// The bar is a band across the top of the window in the classic caption
// colours (navy while the window is active, grey otherwise) with the title
// and the buttons the window's flags ask for: minimise for
// Qt::WindowMinimizeButtonHint where the compositor can minimise, close for
// Qt::WindowCloseButtonHint, and never maximise. Dragging it moves the
// window through the window system; a click or a double click does
// nothing, as on the other desktops where the window cannot be maximised.
class TitleBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 22;
    static constexpr QRgb kActiveColour = 0x000080;
    static constexpr QRgb kInactiveColour = 0x808080;

    // Whether the platform leaves the title bar to the program: Qt's Wayland
    // platform, unless QT_WAYLAND_DISABLE_WINDOWDECORATION turns every title
    // bar off.
    static bool wanted(const QString& platformName, bool decorationsDisabled);
    static bool wantedHere();
    // Whether the compositor can minimise a window (true until it says
    // otherwise); bars made afterwards show minimise only where it can.
    static void setMinimiseOffered(bool offered);

    // Gives `window` a title bar of its own: the window becomes frameless,
    // its children move down by kHeight and its fixed size grows by as much.
    // For a QMainWindow the contents margin makes the room instead, so that
    // its layout keeps placing the menu bar and the central widget.
    static TitleBar* install(QWidget* window);
    // install() where the platform leaves the title bar to the program
    // (wantedHere()); nothing elsewhere.
    static void installWhereWanted(QWidget* window);
    // The window's title bar, if it has one.
    static TitleBar* of(const QWidget* window);
    // setFixedSize for the client area: the title bar's height is added
    // where the window has one.
    static void setFixedClientSize(QWidget* window, int width, int height);

    QAbstractButton* minimiseButton() const { return minimise_; }
    QAbstractButton* closeButton() const { return close_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TitleBar(QWidget* window, Qt::WindowFlags flags);
    // Spans the window's width, buttons at its right end; a hidden window
    // gets its resize events only when shown, so resizes made here call it.
    void follow();
    void placeButtons();

    QWidget* window_;
    // Where the left button went down on the bar, until the drag starts.
    std::optional<QPoint> pressedAt_;
    QAbstractButton* minimise_ = nullptr;
    QAbstractButton* close_ = nullptr;
};
