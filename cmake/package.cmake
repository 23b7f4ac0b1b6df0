# The Debian package a shop installs, made by CPack's DEB generator (tools/package configures
# the prefix /usr and the program folder /opt/qinghe). Beside the program it carries what Debian
# expects of a package: a manual page, the copyright file and the changelog.

set(QH_PACKAGE_MAINTAINER "Qinghe maintainers <maintainers@qinghe.invalid>" CACHE STRING
    "Maintainer field of the Debian package: a name and an address")

# The changelog's newest entry names the version being packaged; a release that changes one
# without the other is caught here rather than shipped.
file(STRINGS ${CMAKE_SOURCE_DIR}/dist/deb/changelog changelog_head LIMIT_COUNT 1)
string(REGEX MATCH "^qinghe \\(([^)]*)\\)" changelog_entry "${changelog_head}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "dist/deb/changelog: its newest entry is for version '${CMAKE_MATCH_1}', "
                        "the project's is ${PROJECT_VERSION} (project() in CMakeLists.txt)")
endif()

# Debian wants these gzipped at the highest level and without a time stamp, so that a rebuild
# gives the same bytes.
function(qh_gzip_for_install source output)
    execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${output} COMMAND_ERROR_IS_FATAL ANY)
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()

configure_file(${CMAKE_SOURCE_DIR}/dist/qinghe.1.in ${CMAKE_BINARY_DIR}/package/qinghe.1 @ONLY)
qh_gzip_for_install(${CMAKE_BINARY_DIR}/package/qinghe.1 ${CMAKE_BINARY_DIR}/package/qinghe.1.gz)
qh_gzip_for_install(${CMAKE_SOURCE_DIR}/dist/deb/changelog
                    ${CMAKE_BINARY_DIR}/package/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/package/qinghe.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_SOURCE_DIR}/dist/deb/copyright ${CMAKE_BINARY_DIR}/package/changelog.gz
        DESTINATION share/doc/qinghe)
install(FILES ${CMAKE_SOURCE_DIR}/dist/deb/lintian-overrides DESTINATION share/lintian/overrides
        RENAME qinghe)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qinghe)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${QH_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shop download system: copies media onto customers' disks")
# One string a line of the control file's long description; an empty one separates paragraphs.
set(description_lines
    "青禾点唱 手机下载系统: the clerk of a shop that sells media downloads searches"
    "the shop's library of songs, music videos, films, pictures, e-books and phone"
    "games by number or keyword, gathers files into customer lists, copies a list"
    "onto the customer's USB stick or phone card and charges by category."
    ""
    "A copy counts as delivered only when it is whole on the customer's disk and"
    "reads back as written, and the clerk is told which files did not arrive and"
    "why.")
list(JOIN description_lines "\n" CPACK_PACKAGE_DESCRIPTION)
# The program folder lies outside the prefix, at an absolute place; DESTDIR staging is what lets
# CPack package such a destination instead of writing to it on the build machine.
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QH_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the program loads or calls at run time and no library link shows: GStreamer's plugins
# (without them Qt Multimedia cannot play, and constructing a player crashes), a CJK font for the
# Chinese text, Qt's Chinese texts for its own dialogs, and xdg-open for opening folders, files
# and addresses.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-noto-cjk, qt6-translations-l10n, xdg-utils")

# gsettings tells which IBus engines the clerk chose; without it IBus offers its active ones. The
# shops' films (MP4, WMV, RMVB, 3GP) need GStreamer's other decoders for the program's own preview
# window; a video player of the machine, when there is one, takes the film instead.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libglib2.0-bin, gstreamer1.0-libav, gstreamer1.0-plugins-bad, gstreamer1.0-plugins-ugly")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "mpv | vlc")

include(CPack)
