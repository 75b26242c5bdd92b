# How the game is installed and packaged: a folder of its own under lib/, a link in bin/, the
# desktop entry, icons and AppStream metadata under share/, and a Debian package made by CPack.
include(GNUInstallDirs)

# The program reads its cues and its explanation file from its own folder, so it is installed
# into one with them, and bin/ holds only a relative link: the game resolves the link to that
# folder at start-up, and the link stays right under any prefix or DESTDIR.
set(MUKIRO_INSTALL_GAME_DIR lib/mukiro-tough)

install(TARGETS mukiro-tough RUNTIME DESTINATION ${MUKIRO_INSTALL_GAME_DIR})
# Every library it links is a system one or built into it: no run path to search.
set_target_properties(mukiro-tough PROPERTIES INSTALL_RPATH "")

# The same list that places the files beside the built program.
get_directory_property(mukiro_game_files
    DIRECTORY ${PROJECT_SOURCE_DIR}/assets/sounds
    DEFINITION MUKIRO_SOUND_FILES
)
if(NOT mukiro_game_files)
  message(FATAL_ERROR "assets/sounds no longer defines MUKIRO_SOUND_FILES")
endif()
foreach(file IN LISTS mukiro_game_files)
  get_filename_component(subfolder ${file} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/assets/sounds/${file}
          DESTINATION ${MUKIRO_INSTALL_GAME_DIR}/${subfolder})
endforeach()

set(mukiro_launcher ${CMAKE_BINARY_DIR}/packaging/mukiro-tough)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(CREATE_LINK ../${MUKIRO_INSTALL_GAME_DIR}/mukiro-tough ${mukiro_launcher} SYMBOLIC)
install(FILES ${mukiro_launcher} DESTINATION ${CMAKE_INSTALL_BINDIR})

# The desktop names the game by its app id everywhere: entry, icon and metadata.
set(MUKIRO_DESKTOP_FILE ${CMAKE_BINARY_DIR}/packaging/${MUKIRO_APP_ID}.desktop)
set(MUKIRO_METAINFO_FILE ${CMAKE_BINARY_DIR}/packaging/${MUKIRO_APP_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/packaging/app.desktop.in ${MUKIRO_DESKTOP_FILE} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/app.metainfo.xml.in ${MUKIRO_METAINFO_FILE} @ONLY)
install(FILES ${MUKIRO_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${MUKIRO_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mukiro-tough RENAME copyright)

# The Debian package. Library dependencies come from the program itself (dpkg-shlibdeps, from
# dpkg-dev); what it loads by name at run time is listed by hand: Qt's platform plugins, which
# open the window, and the Japanese face every text is set in. Sound needs a running sound
# server, but the game plays on silently without one.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mukiro-tough)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0)
set(CPACK_PACKAGE_VENDOR "The ムキロ・タフ developers")
set(CPACK_PACKAGE_CONTACT "The ムキロ・タフ developers <mukirotough@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "raising game: train a thin man into a muscleman")
set(CPACK_PACKAGE_DESCRIPTION
    "ムキロ・タフ is a small raising game in one window. You look after a thin\n"
    "young man and, one button at a time (training, protein, a muscle cream,\n"
    "meals, the tanning salon, the beauty salon, posing and a part-time job),\n"
    "turn him into a muscleman who wins the contest. Every text in the game is\n"
    "Japanese.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://mukirotough.github.io/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The game loads SDL for its sound when it first plays, so dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic, libsdl2-2.0-0")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")
include(CPack)
