# How the game is installed: a folder of its own for the program and its files, a link where
# players start games, the manual page, and the desktop entry, icons and AppStream metadata
# under share/. debian/ turns this install into the Debian package.
include(GNUInstallDirs)

# The program reads its cues and its explanation file from its own folder, so it is installed
# into one with them, the way Debian keeps a game's private files: under lib/games/, since the
# program is built for one architecture. The launcher folder holds only a relative link: the
# game resolves the link to that folder at start-up, and the link stays right under any prefix
# or DESTDIR. The desktop entry starts it by name, from PATH: Debian's PATH holds /usr/games,
# and a prefix whose games/ is not on PATH can put the link in bin/ instead.
set(MUKIRO_INSTALL_GAME_DIR lib/games/mukiro-tough
    CACHE STRING "Folder, under the prefix, for the program with its sounds and explanation file")
set(MUKIRO_INSTALL_LAUNCHER_DIR games
    CACHE STRING "Folder, under the prefix, for the link that starts the game")

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

# The link's target, relative to the launcher folder (any root stands in for the prefix).
file(RELATIVE_PATH mukiro_link_target
    /prefix/${MUKIRO_INSTALL_LAUNCHER_DIR} /prefix/${MUKIRO_INSTALL_GAME_DIR}/mukiro-tough)
set(mukiro_launcher ${CMAKE_BINARY_DIR}/packaging/mukiro-tough)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(CREATE_LINK ${mukiro_link_target} ${mukiro_launcher} SYMBOLIC)
install(FILES ${mukiro_launcher} DESTINATION ${MUKIRO_INSTALL_LAUNCHER_DIR})

# The desktop names the game by its app id everywhere: entry, icon and metadata.
set(MUKIRO_DESKTOP_FILE ${CMAKE_BINARY_DIR}/packaging/${MUKIRO_APP_ID}.desktop)
set(MUKIRO_METAINFO_FILE ${CMAKE_BINARY_DIR}/packaging/${MUKIRO_APP_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/packaging/app.desktop.in ${MUKIRO_DESKTOP_FILE} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/app.metainfo.xml.in ${MUKIRO_METAINFO_FILE} @ONLY)
install(FILES ${MUKIRO_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${MUKIRO_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
# Games' manual pages are section 6; Debian's packaging compresses it.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/mukiro-tough.6
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# The licence, where Debian keeps a package's copyright (debian/ writes its machine-readable
# copy over it).
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mukiro-tough RENAME copyright)
