#include "compositoroffer.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <poll.h>
#include <wayland-client.h>

#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace {

using Clock = std::chrono::steady_clock;

// The newest xdg_wm_base this file has listeners for: version 5 brought
// wm_capabilities.
constexpr uint32_t kShellVersion = 5;

struct Answers {
    wl_compositor* compositor = nullptr;
    xdg_wm_base* shell = nullptr;
    zxdg_decoration_manager_v1* decorations = nullptr;
    bool synced = false;
    bool configured = false;
    bool dialogs = false;
    std::optional<uint32_t> mode;
    std::optional<bool> minimise;
};

void global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    auto* a = static_cast<Answers*>(data);
    if (std::strcmp(interface, wl_compositor_interface.name) == 0 && !a->compositor)
        a->compositor = static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 1));
    else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0 && !a->shell)
        a->shell = static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface,
                                                              version < kShellVersion ? version : kShellVersion));
    else if (std::strcmp(interface, zxdg_decoration_manager_v1_interface.name) == 0 && !a->decorations)
        a->decorations = static_cast<zxdg_decoration_manager_v1*>(
            wl_registry_bind(registry, name, &zxdg_decoration_manager_v1_interface, 1));
    else if (std::strcmp(interface, "xdg_wm_dialog_v1") == 0)
        a->dialogs = true;
}

void globalRemoved(void*, wl_registry*, uint32_t) {}

const wl_registry_listener registryListener = {.global = global, .global_remove = globalRemoved};

void synced(void* data, wl_callback*, uint32_t)
{
    static_cast<Answers*>(data)->synced = true;
}

const wl_callback_listener syncListener = {.done = synced};

void ping(void*, xdg_wm_base* shell, uint32_t serial)
{
    xdg_wm_base_pong(shell, serial);
}

const xdg_wm_base_listener shellListener = {.ping = ping};

void surfaceConfigured(void* data, xdg_surface* surface, uint32_t serial)
{
    xdg_surface_ack_configure(surface, serial);
    static_cast<Answers*>(data)->configured = true;
}

const xdg_surface_listener surfaceListener = {.configure = surfaceConfigured};

void toplevelConfigured(void*, xdg_toplevel*, int32_t, int32_t, wl_array*) {}
void closed(void*, xdg_toplevel*) {}
void bounds(void*, xdg_toplevel*, int32_t, int32_t) {}

void capabilities(void* data, xdg_toplevel*, wl_array* list)
{
    bool minimise = false;
    const auto* begin = static_cast<const uint32_t*>(list->data);
    for (size_t i = 0; i < list->size / sizeof(uint32_t); ++i)
        minimise = minimise || begin[i] == XDG_TOPLEVEL_WM_CAPABILITIES_MINIMIZE;
    static_cast<Answers*>(data)->minimise = minimise;
}

const xdg_toplevel_listener toplevelListener = {
    .configure = toplevelConfigured, .close = closed, .configure_bounds = bounds, .wm_capabilities = capabilities};

void decorationConfigured(void* data, zxdg_toplevel_decoration_v1*, uint32_t mode)
{
    static_cast<Answers*>(data)->mode = mode;
}

const zxdg_toplevel_decoration_v1_listener decorationListener = {.configure = decorationConfigured};

// Reads and dispatches the compositor's events until `done` holds; false
// when the deadline passes first or the connection fails.
bool dispatchUntil(wl_display* display, const bool& done, Clock::time_point deadline)
{
    while (!done) {
        if (wl_display_prepare_read(display) != 0) {
            if (wl_display_dispatch_pending(display) < 0)
                return false;
            continue;
        }
        if (wl_display_flush(display) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display);
            return false;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd fd{wl_display_get_fd(display), POLLIN, 0};
        const int ready = left > 0 ? poll(&fd, 1, static_cast<int>(left)) : 0;
        if (ready <= 0) {
            wl_display_cancel_read(display);
            if (ready < 0 && errno == EINTR)
                continue;
            return false;
        }
        if (wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0)
            return false;
    }
    return true;
}

// What the toplevel of `a`'s globals is told before it would first be
// drawn: the decoration mode and the capabilities come before the first
// configure of its surface.
std::optional<CompositorOffer> askToplevel(wl_display* display, Answers& a, Clock::time_point deadline)
{
    xdg_wm_base_add_listener(a.shell, &shellListener, &a);
    wl_surface* surface = wl_compositor_create_surface(a.compositor);
    xdg_surface* shellSurface = xdg_wm_base_get_xdg_surface(a.shell, surface);
    xdg_surface_add_listener(shellSurface, &surfaceListener, &a);
    xdg_toplevel* toplevel = xdg_surface_get_toplevel(shellSurface);
    xdg_toplevel_add_listener(toplevel, &toplevelListener, &a);
    // Like any window that would take a frame, the choice is left to the
    // compositor (no set_mode).
    zxdg_toplevel_decoration_v1* decoration = nullptr;
    if (a.decorations) {
        decoration = zxdg_decoration_manager_v1_get_toplevel_decoration(a.decorations, toplevel);
        zxdg_toplevel_decoration_v1_add_listener(decoration, &decorationListener, &a);
    }
    // A commit without a buffer asks for the first configure and maps nothing.
    wl_surface_commit(surface);
    const bool answered = dispatchUntil(display, a.configured, deadline);

    if (decoration)
        zxdg_toplevel_decoration_v1_destroy(decoration);
    xdg_toplevel_destroy(toplevel);
    xdg_surface_destroy(shellSurface);
    wl_surface_destroy(surface);
    if (!answered)
        return std::nullopt;
    CompositorOffer offer;
    offer.frame = a.mode == ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE;
    offer.minimise = a.minimise.value_or(true);
    offer.dialogs = a.dialogs;
    return offer;
}

}  // namespace

std::optional<CompositorOffer> askWaylandCompositor(std::chrono::milliseconds limit)
{
    if (std::getenv("WAYLAND_SOCKET"))
        return std::nullopt;
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return std::nullopt;
    const Clock::time_point deadline = Clock::now() + limit;
    Answers a;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &a);
    wl_callback* sync = wl_display_sync(display);
    wl_callback_add_listener(sync, &syncListener, &a);
    std::optional<CompositorOffer> offer;
    if (dispatchUntil(display, a.synced, deadline) && a.compositor && a.shell) {
        // With neither decorations nor capabilities to tell (mutter 43, say),
        // the toplevel would only wait for its configure to learn nothing.
        if (a.decorations || xdg_wm_base_get_version(a.shell) >= XDG_TOPLEVEL_WM_CAPABILITIES_SINCE_VERSION)
            offer = askToplevel(display, a, deadline);
        else
            offer = CompositorOffer{.dialogs = a.dialogs};
    }
    wl_callback_destroy(sync);
    if (a.decorations)
        zxdg_decoration_manager_v1_destroy(a.decorations);
    if (a.shell)
        xdg_wm_base_destroy(a.shell);
    if (a.compositor)
        wl_compositor_destroy(a.compositor);
    wl_registry_destroy(registry);
    // Closing the connection ends the rest; nothing more is waited for.
    wl_display_flush(display);
    wl_display_disconnect(display);
    return offer;
}
