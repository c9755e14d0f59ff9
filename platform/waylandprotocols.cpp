// The tables of the two Wayland protocols the compositor is asked about
// (xdg-shell and xdg-decoration), as wayland-scanner writes them for C at
// build time. Compiled here as C++: the headers come first, so the tables
// keep the C linkage and the external symbols that the headers declare.
// Their hidden visibility then comes after the declaration and is dropped,
// which does not matter in an executable.
#include "xdg-decoration-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#if defined(__clang__)
#pragma clang diagnostic ignored "-Wignored-attributes"
#elif defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wattributes"
#endif

#include "xdg-decoration-unstable-v1-protocol.c"
#include "xdg-shell-protocol.c"
