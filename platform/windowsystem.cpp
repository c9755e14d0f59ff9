#include "windowsystem.h"

#include <QByteArray>
#include <QLibraryInfo>
#include <QVersionNumber>
#include <QtGlobal>
#include <cstring>

#include "environment.h"
#include "titlebar.h"

bool mayUseWayland(const PlatformRequest& request)
{
    if (*request.chosen)
        return std::strncmp(request.chosen, "wayland", 7) == 0;
    return request.waylandSession;
}

bool preferXwayland(const PlatformRequest& request, const CompositorOffer& offer)
{
    const bool placesDialogs = offer.dialogs && request.qtDeclaresDialogs;
    return !*request.chosen && request.xServer && !offer.frame && !placesDialogs;
}

QByteArray describeOffer(const std::optional<CompositorOffer>& offer)
{
    if (!offer)
        return "none";
    QByteArrayList words;
    if (offer->frame)
        words << "frame";
    if (offer->minimise)
        words << "minimise";
    if (offer->dialogs)
        words << "dialogs";
    return words.join(' ');
}

std::optional<CompositorOffer> readOffer(const QByteArray& text)
{
    if (text == "none")
        return std::nullopt;
    const QByteArrayList words = text.split(' ');
    return CompositorOffer{
        .frame = words.contains("frame"), .minimise = words.contains("minimise"), .dialogs = words.contains("dialogs")};
}

std::optional<CompositorOffer> chooseWindowSystem(int argc, char** argv)
{
#ifdef PALTSEKHOD_ASKS_WAYLAND_COMPOSITOR
    if (qEnvironmentVariableIsSet(CompositorOfferVariable)) {
        // The start again at another scale: the first start asked, and its
        // choice of platform is in the environment already.
        const QByteArray handed = qgetenv(CompositorOfferVariable);
        qunsetenv(CompositorOfferVariable);
        return readOffer(handed);
    }
    const QByteArray variable = qgetenv("QT_QPA_PLATFORM");
    PlatformRequest request;
    request.chosen = variable.constData();
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            request.chosen = argv[i + 1];
    }
    request.waylandSession = qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
    request.xServer = !qEnvironmentVariableIsEmpty("DISPLAY");
    request.qtDeclaresDialogs = QLibraryInfo::version() >= QVersionNumber(6, 8);
    if (!mayUseWayland(request))
        return std::nullopt;
    const std::optional<CompositorOffer> offer = askWaylandCompositor(std::chrono::milliseconds(1000));
    if (offer && preferXwayland(request, *offer))
        qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv(CompositorOfferVariable, describeOffer(offer));
    return offer;
#else
    (void)argc;
    (void)argv;
    return std::nullopt;
#endif
}

void followCompositorFrames(const std::optional<CompositorOffer>& offer)
{
    // Qt reads the variable when it makes the first window.
    if (!offer || !TitleBar::wantedHere())
        return;
    if (offer->frame)
        qputenv(NoQtDecorationVariable, "1");
    TitleBar::setMinimiseOffered(offer->minimise);
}
