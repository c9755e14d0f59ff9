#pragma once

#include <pulse/pulseaudio.h>

// The libpulse functions the sound output uses.
#define PULSE_LIBRARY_FUNCTIONS(F)                                                                                     \
    F(pa_bytes_to_usec)                                                                                                \
    F(pa_context_connect)                                                                                              \
    F(pa_context_disconnect)                                                                                           \
    F(pa_context_get_state)                                                                                            \
    F(pa_context_new)                                                                                                  \
    F(pa_context_set_state_callback)                                                                                   \
    F(pa_context_unref)                                                                                                \
    F(pa_gettimeofday)                                                                                                 \
    F(pa_operation_unref)                                                                                              \
    F(pa_rtclock_now)                                                                                                  \
    F(pa_stream_connect_playback)                                                                                      \
    F(pa_stream_cork)                                                                                                  \
    F(pa_stream_disconnect)                                                                                            \
    F(pa_stream_flush)                                                                                                 \
    F(pa_stream_get_state)                                                                                             \
    F(pa_stream_new)                                                                                                   \
    F(pa_stream_set_state_callback)                                                                                    \
    F(pa_stream_unref)                                                                                                 \
    F(pa_stream_write)                                                                                                 \
    F(pa_threaded_mainloop_free)                                                                                       \
    F(pa_threaded_mainloop_get_api)                                                                                    \
    F(pa_threaded_mainloop_lock)                                                                                       \
    F(pa_threaded_mainloop_new)                                                                                        \
    F(pa_threaded_mainloop_set_name)                                                                                   \
    F(pa_threaded_mainloop_start)                                                                                      \
    F(pa_threaded_mainloop_stop)                                                                                       \
    F(pa_threaded_mainloop_unlock)                                                                                     \
    F(pa_timeval_add)                                                                                                  \
    F(pa_usec_to_bytes)

// libpulse (libpulse.so.0), opened at run time rather than linked: with the
// twenty libraries it brings (libsndfile and its codecs, libsystemd,
// libgcrypt ...) it is loaded on the sound thread after the window is up,
// instead of by the dynamic loader before main() runs.
struct PulseLibrary {
#define PULSE_LIBRARY_MEMBER(name) decltype(&::name) name = nullptr;
    PULSE_LIBRARY_FUNCTIONS(PULSE_LIBRARY_MEMBER)
#undef PULSE_LIBRARY_MEMBER
};

// Opens the library on the first call (the later ones wait for that one);
// null, for good, when it is missing or lacks one of the functions.
const PulseLibrary* pulseLibrary();
