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

    struct Case {
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

// The compositor is asked once a start: the start again at another scale
// takes the answer the first start left in the environment.
TEST(WindowSystem, TheStartAgainTakesTheFirstStartsAnswer)
{
    for (const std::optional<CompositorOffer>& offer :
         {std::optional<CompositorOffer>{}, std::optional<CompositorOffer>{{.frame = true, .minimise = false}},
          std::optional<CompositorOffer>{{.frame = false, .minimise = true, .dialogs = true}}}) {
        const std::optional<CompositorOffer> back = readOffer(describeOffer(offer));
        ASSERT_EQ(back.has_value(), offer.has_value()) << describeOffer(offer).constData();
        if (offer) {
            EXPECT_EQ(back->frame, offer->frame);
            EXPECT_EQ(back->minimise, offer->minimise);
            EXPECT_EQ(back->dialogs, offer->dialogs);
        }
    }

#ifdef PALTSEKHOD_ASKS_WAYLAND_COMPOSITOR
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("WAYLAND_DISPLAY");
    char name[] = "paltsekhod";
    char* argv[] = {name, nullptr};
    // Asked where no compositor answers: the answer, none, is left behind.
    qputenv("QT_QPA_PLATFORM", "wayland");
    qputenv("WAYLAND_DISPLAY", "paltsekhod-test-no-such-compositor");
    EXPECT_FALSE(chooseWindowSystem(1, argv).has_value());
    EXPECT_EQ(qgetenv("PALTSEKHOD_COMPOSITOR_OFFER"), "none");
    // Started again: the answer handed over is taken, and taken away.
    qputenv("PALTSEKHOD_COMPOSITOR_OFFER", "frame minimise");
    const std::optional<CompositorOffer> handed = chooseWindowSystem(1, argv);
    ASSERT_TRUE(handed.has_value());
    EXPECT_TRUE(handed->frame);
    EXPECT_FALSE(handed->dialogs);
    EXPECT_FALSE(qEnvironmentVariableIsSet("PALTSEKHOD_COMPOSITOR_OFFER"));
    qputenv("QT_QPA_PLATFORM", platform);
    if (display.isNull())
        qunsetenv("WAYLAND_DISPLAY");
    else
        qputenv("WAYLAND_DISPLAY", display);
#endif
}
