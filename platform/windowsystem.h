#pragma once

#include <QByteArray>
#include <optional>

#include "compositoroffer.h"

// Where the trainer's windows go on a Wayland desktop, and who draws their
// frames: decided from what the compositor offers before the application
// object is made, since the platform is chosen then.
//
// The windows stay native Wayland windows where the compositor draws their
// frames, or where it can place dialogs over their main window. A compositor
// that does neither (GNOME's mutter up to 44, or any with a Qt that cannot
// declare dialogs) would leave the program drawing its own bar and put the
// dialogs where it likes, into the screen's corner; there the windows go to
// the compositor's X server (Xwayland) instead, where it draws their frames
// and centres each dialog over its main window. A platform a person chose
// (QT_QPA_PLATFORM or -platform) is kept.

struct PlatformRequest {
    // The platform asked for by QT_QPA_PLATFORM or -platform; empty if none.
    const char* chosen = "";
    // Qt would take Wayland by itself: WAYLAND_DISPLAY is set, or the
    // session is a Wayland one.
    bool waylandSession = false;
    // An X server is at hand (DISPLAY is set).
    bool xServer = false;
    // This Qt declares dialogs to the compositor (xdg-dialog, from Qt 6.8).
    bool qtDeclaresDialogs = false;
};

// Whether the compositor is to be asked at all: where Qt will take Wayland.
bool mayUseWayland(const PlatformRequest& request);
// Whether the windows go to Xwayland rather than to the compositor itself.
bool preferXwayland(const PlatformRequest& request, const CompositorOffer& offer);

// The compositor's answer as the program hands it to its own start again at
// another scale: "none", or the words "frame", "minimise" and "dialogs" for
// what it offers. Read back, an unknown word counts for nothing.
QByteArray describeOffer(const std::optional<CompositorOffer>& offer);
std::optional<CompositorOffer> readOffer(const QByteArray& text);

// Reads the request off the environment and the command line, asks the
// compositor where Qt may take Wayland, and sets QT_QPA_PLATFORM to xcb
// where preferXwayland says so. What the compositor offers, where it was
// asked. A start again takes the first start's answer instead of asking
// again (environment.h).
std::optional<CompositorOffer> chooseWindowSystem(int argc, char** argv);

// After the application object is made, before the first window: on Qt's
// Wayland platform the windows wear the compositor's frame where it draws
// one (Qt's own decorations are turned off); elsewhere the program's title
// bar stays, with minimise only where the compositor can minimise.
void followCompositorFrames(const std::optional<CompositorOffer>& offer);
