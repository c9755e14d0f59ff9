# The sound cues, their player and its PulseAudio output: the library app_sound.
#
# tools/makesounds synthesises the three cues into WAV files at build time;
# they are embedded as :/sounds/Sound1.wav, Sound2.wav and Sound3.wav. The
# custom command lives here, not in tools/, because its outputs can only feed
# targets of the directory that declares it.
set(sound_dir ${CMAKE_CURRENT_BINARY_DIR}/sounds)
set(sound_files ${sound_dir}/Sound1.wav ${sound_dir}/Sound2.wav ${sound_dir}/Sound3.wav)
add_custom_command(
    OUTPUT ${sound_files}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${sound_dir}
    COMMAND makesounds ${sound_dir}
    DEPENDS makesounds
    COMMENT "Synthesising the sound cues"
    VERBATIM)

add_library(app_sound STATIC
    ${CMAKE_CURRENT_LIST_DIR}/soundplayer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soundplayer.h
    ${CMAKE_CURRENT_LIST_DIR}/pulseoutput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pulseoutput.h
    ${CMAKE_CURRENT_LIST_DIR}/pulselibrary.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pulselibrary.h)
target_include_directories(app_sound PUBLIC ${CMAKE_CURRENT_LIST_DIR})
# The output talks to the sound server through libpulse (libpulse-dev for
# its headers), which it opens at run time: it is not linked.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBPULSE REQUIRED libpulse)
find_package(Threads REQUIRED)
target_include_directories(app_sound PUBLIC ${LIBPULSE_INCLUDE_DIRS})
target_link_libraries(app_sound PUBLIC Qt6::Core Threads::Threads ${CMAKE_DL_LIBS})
qt_add_resources(app_sound "sound_cues"
    PREFIX "/sounds"
    BASE ${sound_dir}
    FILES ${sound_files})
