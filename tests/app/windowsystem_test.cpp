#include <gtest/gtest.h>

#include "windowsystem.h"

// Which desktops get native Wayland windows and which get Xwayland's.
TEST(WindowSystem, XwaylandOnlyWhereTheCompositorNeitherFramesNorPlacesDialogs)
{
    const CompositorOffer kwin{.frame = true, .minimise = true, .dialogs = false};
    const CompositorOffer mutter43{.frame = false, .minimise = true, .dialogs = false};
    const CompositorOffer mutter48{.frame = false, .minimise = true, .dialogs = true};
    const PlatformRequest gnome{.chosen = "", .waylandSession = true, .xServer = true, .qtDeclaresDialogs = false};
    PlatformRequest newQt = gnome;
    newQt.qtDeclaresDialogs = true;
    PlatformRequest noX = gnome;
    noX.xServer = false;
    PlatformRequest forced = gnome;
    forced.chosen = "wayland";

    struct Case
    {
        const char* what;
        const PlatformRequest& request;
        const CompositorOffer& offer;
        bool xwayland;
    } cases[] = {
        {"frames drawn by the compositor", gnome, kwin, false},
        {"no frames, no dialogs", gnome, mutter43, true},
        {"no frames, dialogs the compositor knows but Qt cannot declare", gnome, mutter48, true},
        {"no frames, dialogs both know", newQt, mutter48, false},
        {"no X server to go to", noX, mutter43, false},
        {"Wayland chosen by hand", forced, mutter43, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(preferXwayland(c.request, c.offer), c.xwayland) << c.what;

    EXPECT_TRUE(mayUseWayland(gnome));
    EXPECT_TRUE(mayUseWayland(forced));
    EXPECT_FALSE(mayUseWayland({.chosen = "xcb", .waylandSession = true}));
    EXPECT_FALSE(mayUseWayland({.chosen = "", .waylandSession = false}));
    EXPECT_TRUE(mayUseWayland({.chosen = "wayland-egl", .waylandSession = false}));
}
