#pragma once

#include <chrono>
#include <optional>

// What a Wayland compositor offers this program's windows. On Wayland each
// program may draw its own title bar, or ask the compositor for one; KWin,
// sway and the other wlroots compositors grant the request, GNOME's mutter
// and Weston offer none. The answer is read off a toplevel of a private
// connection that is never given a buffer, so it is never shown.
struct CompositorOffer {
    // The compositor draws the title bar and the frame (xdg-decoration's
    // server-side mode was granted).
    bool frame = false;
    // The compositor can minimise a window. It says so in xdg-shell's
    // wm_capabilities; one that does not send them is taken to be able to.
    bool minimise = true;
    // The compositor knows dialogs (xdg-dialog), so it can place a dialog
    // over the window it belongs to.
    bool dialogs = false;
};

// Asks the compositor of WAYLAND_DISPLAY; nothing where no compositor
// answers within `limit`, or where the program was handed a connection of
// its own (WAYLAND_SOCKET), which Qt alone may take.
std::optional<CompositorOffer> askWaylandCompositor(std::chrono::milliseconds limit);
