#pragma once

// What the program reads and sets in its environment, in the order it does
// so, and why. Qt reads most of these when the application object or the
// first window is made, so they are settled before then.
//
// 1. Before the application object (chooseWindowSystem, windowsystem.h):
//    - reads PALTSEKHOD_COMPOSITOR_OFFER, which the program leaves for
//      itself when it starts itself again at another scale (step 2): the
//      compositor's answer from the first start, so that it is asked once a
//      start. It is removed once read;
//    - reads QT_QPA_PLATFORM and the -platform option: a platform a person
//      chose is kept;
//    - reads WAYLAND_DISPLAY, XDG_SESSION_TYPE and DISPLAY: whether Qt would
//      take Wayland, and whether an X server is at hand;
//    - asks the compositor (compositoroffer.h), not where WAYLAND_SOCKET
//      hands the program a connection that only Qt may take;
//    - sets QT_QPA_PLATFORM=xcb where the windows go to Xwayland, and
//      PALTSEKHOD_COMPOSITOR_OFFER to the answer.
// 2. Making the application object (makeScaledApplication,
//    scaledapplication.h):
//    - reads PALTSEKHOD_SCALE: set, this is the start again at that scale;
//    - reads QT_SCALE_FACTOR and QT_SCREEN_SCALE_FACTORS: a scale a person
//      forced is rounded down but not lowered to fit the screen;
//    - where the desktop's factor is not the chosen whole scale, sets
//      QT_ENABLE_HIGHDPI_SCALING=0, QT_FONT_DPI=96, QT_SCALE_FACTOR and
//      PALTSEKHOD_SCALE, removes QT_SCREEN_SCALE_FACTORS and
//      QT_DEVICE_PIXEL_RATIO, and starts the program again: Qt reads some of
//      them only once a process.
// 3. Before the first window (followCompositorFrames, windowsystem.h):
//    - sets QT_WAYLAND_DISABLE_WINDOWDECORATION=1 on Qt's Wayland platform
//      where the compositor draws the frames, so that Qt draws none;
//      TitleBar::wantedHere() reads it: the program's own title bar is left
//      out where the compositor draws one.
//
// The names the program itself sets and reads in more than one place:
inline constexpr char CompositorOfferVariable[] = "PALTSEKHOD_COMPOSITOR_OFFER";
inline constexpr char ChosenScaleVariable[] = "PALTSEKHOD_SCALE";
inline constexpr char NoQtDecorationVariable[] = "QT_WAYLAND_DISABLE_WINDOWDECORATION";
