# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program: bin/dorvane, its desktop entry, icon, AppStream metadata,
# manual page and credits; and the Debian package that CPack makes of them.
set(desktop_dir ${CMAKE_SOURCE_DIR}/resources/desktop)

install(TARGETS dorvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (cmake --install --strip, and the Debian package) also drops the
# compiler's notes, as Debian's own packages do.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/dorvane\"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()")
install(FILES ${desktop_dir}/${DORVANE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${desktop_dir}/${DORVANE_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/${DORVANE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${DORVANE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(size 16 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/dorvane_${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${DORVANE_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/${DORVANE_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The manual page is made from doc/dorvane.1.in and the command line's tables (the
# same that --help prints), and installed compressed, as Debian's policy asks (-n: no
# time stamp, so the package is the same on every build).
set(man_page ${CMAKE_BINARY_DIR}/doc/dorvane.1)
set(man_gz ${man_page}.gz)
add_custom_command(OUTPUT ${man_page} ${man_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND make_manual_page ${CMAKE_SOURCE_DIR}/doc/dorvane.1.in ${man_page}
  COMMAND sh -c "gzip -9 -n -c \"$1\" > \"$2\"" gzip ${man_page} ${man_gz}
  DEPENDS make_manual_page ${CMAKE_SOURCE_DIR}/doc/dorvane.1.in VERBATIM)
add_custom_target(dorvane_man ALL DEPENDS ${man_gz})
install(FILES ${man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The licences of the photographs and fonts ask that their authors are named. The
# GPL and LGPL texts are Debian's own, in /usr/share/common-licenses, as the
# copyright file says.
install(FILES ${desktop_dir}/copyright ${CMAKE_SOURCE_DIR}/resources/CREDITS.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/dorvane)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/licenses
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/dorvane
        PATTERN GPL-2.txt EXCLUDE PATTERN LGPL-2.1.txt EXCLUDE)
set(changelog_gz ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND sh -c "gzip -9 -n -c \"$1\" > \"$2\"" gzip ${desktop_dir}/changelog ${changelog_gz}
  DEPENDS ${desktop_dir}/changelog VERBATIM)
add_custom_target(dorvane_changelog ALL DEPENDS ${changelog_gz})
install(FILES ${changelog_gz} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/dorvane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Dorvane developers <support@dorvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keep your goals in sight on your desktop wallpaper")
# The extended description as Debian shows it: lines within 80 columns, an empty
# line between paragraphs.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Dorvane helps you write down your personal goals and keep them in sight: it"
  "lays the goals, as styled text, over a photograph and makes the result your"
  "desktop wallpaper, so that you see them every time you see your desktop."
  ""
  "A short guide walks you through it: choose one of 32 built-in photographs or"
  "a JPEG picture of your own, write up to seven goals, pick their font, size,"
  "style, colour and shading, move the text where you want it, and set the board"
  "as the wallpaper of GNOME, KDE Plasma, Xfce, Cinnamon, MATE, LXQt, LXDE,"
  "Budgie, sway or a plain X11 session. Saved boards can be loaded and changed"
  "later, and composed from scripts with dorvane render and dorvane apply.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.dorvane.example/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # dependencies from the libraries the program links
# Wayland sessions need Qt's Wayland plugin; boards name Arial, whose metrics Liberation
# Sans shares; web and mail links open through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-liberation2, xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
