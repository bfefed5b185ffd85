# The Debian package, made by CPack's DEB generator. packaging/build-deb.sh configures the
# build the way Debian lays out a game (prefix /usr, the program in /usr/games) and runs it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME globule)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Globule developers <globule@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "game of judgement: pin the centre of a red blob")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Globule is a game for one to six players who take turns at one computer."
    "Every game shows a new irregular red blob; cross hairs jump between eleven"
    "positions near its centre, and the player presses Space when they seem to"
    "sit right on it. The more evenly the chosen point splits the blob, the"
    "higher the score, and a score above 1000 wins the pot."
    ""
    "A score table keeps each player's last game, total, number of games,"
    "average and best game, and a match can be saved and continued later.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps adds the libraries the binaries link; the fonts are the faces the game draws
# its texts with, and the Wayland plugin lets it run on a Wayland desktop without XWayland.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The staged tree gets Debian's documentation files and compressed manual pages.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/stage.cmake)
set(CPACK_GLOBULE_DEB_DIR ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_GLOBULE_METAINFO ${PROJECT_SOURCE_DIR}/packaging/org.example.globule.metainfo.xml)
set(CPACK_GLOBULE_MANDIR ${CMAKE_INSTALL_MANDIR})
set(CPACK_GLOBULE_BINARIES ${CMAKE_INSTALL_BINDIR}/globule
    ${CMAKE_INSTALL_LIBDIR}/globule/libglobule_sound.so)
set(CPACK_GLOBULE_STRIP ${CMAKE_STRIP})
include(CPack)
