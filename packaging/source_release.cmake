# Read by cpack for each package it makes (CPACK_PROJECT_CONFIG_FILE). For the
# source release it copies the files git tracks, all but debian/, into a folder
# of their own and packs that folder, so that no build folder, cache or stray
# file of the working tree gets into the tarball. Outside a git checkout (an unpacked
# release, say) it takes every file but the build folders, .git and editor
# back-ups.
if(NOT CPACK_GENERATOR STREQUAL "TXZ" OR NOT CPACK_INSTALLED_DIRECTORIES)
    return()
endif()
set(source "${CPACK_PALTSEKHOD_SOURCE_DIR}")

find_program(GIT_PROGRAM git)
if(GIT_PROGRAM AND EXISTS "${source}/.git")
    # The tracked files as they are in the working tree, names verbatim.
    execute_process(
        COMMAND "${GIT_PROGRAM}" -c core.quotePath=false ls-files --cached
        WORKING_DIRECTORY "${source}"
        OUTPUT_VARIABLE files
        RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "source release: git ls-files failed in ${source}")
    endif()
    string(REGEX REPLACE "\n$" "" files "${files}")
    string(REPLACE "\n" ";" files "${files}")
else()
    message(STATUS "source release: ${source} is not a git checkout, packing its files")
    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${source}" "${source}/*")
    list(FILTER files EXCLUDE REGEX "^(\\.git|build[^/]*|out|shots)/|\\.swp$|~$")
endif()

# The Debian packaging is not part of the release: a distribution adds its own
# debian/ to the tarball (ours goes into the source package's .debian.tar.xz).
list(FILTER files EXCLUDE REGEX "^debian/")

if(CPACK_PACKAGE_DIRECTORY)
    set(stage "${CPACK_PACKAGE_DIRECTORY}/_CPack_Packages/source-tree")
else()
    set(stage "${CMAKE_CURRENT_BINARY_DIR}/_CPack_Packages/source-tree")
endif()
file(REMOVE_RECURSE "${stage}")
foreach(path IN LISTS files)
    if(path MATCHES "^\"")
        message(FATAL_ERROR "source release: cannot pack the file name ${path}")
    endif()
    if(NOT EXISTS "${source}/${path}" AND NOT IS_SYMLINK "${source}/${path}")
        message(WARNING "source release: ${path} is tracked but deleted, left out")
        continue()
    endif()
    get_filename_component(dir "${stage}/${path}" DIRECTORY)
    # file(COPY) keeps the permissions, so the scripts stay executable.
    file(COPY "${source}/${path}" DESTINATION "${dir}")
endforeach()
set(CPACK_INSTALLED_DIRECTORIES "${stage};/")
set(CPACK_IGNORE_FILES "")
# At the top of the tarball, not under the binary packages' /usr.
set(CPACK_PACKAGING_INSTALL_PREFIX "/")
