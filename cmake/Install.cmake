# Installing the programs the way a Linux desktop expects them, and the Debian package.
#   bin/qiravel, bin/qiravel-cli
#   share/qiravel/             the shipped defaults, laid out as a program folder (dat/, skins/);
#                              a program without a writable program folder copies what its user
#                              lacks of them into ~/.local/share/qiravel (ProgramFolder.h)
#   share/applications, share/icons/hicolor, share/metainfo, share/man/man1
set(QIRAVEL_LINUX ${PROJECT_SOURCE_DIR}/resources/linux)

# The build folder is a program folder too: building a program makes sure it has its "dat".
add_custom_target(build_program_folder COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dat)
foreach(program IN ITEMS qiravel-cli qiravel)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    add_dependencies(${program} build_program_folder)
  endif()
endforeach()

# The shipped defaults: each resource folder and where its files go in a program folder.
set(QIRAVEL_SHIPPED_DATA
  "places/dili.ini=dat"
  "skins/*.skn=skins")
set(QIRAVEL_SHIPPED_FILES "")
foreach(entry IN LISTS QIRAVEL_SHIPPED_DATA)
  string(REPLACE "=" ";" entry "${entry}")
  list(GET entry 0 pattern)
  list(GET entry 1 folder)
  file(GLOB files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/${pattern})
  foreach(file IN LISTS files)
    get_filename_component(name ${file} NAME)
    install(FILES ${file} DESTINATION ${CMAKE_INSTALL_DATADIR}/qiravel/${folder})
    list(APPEND QIRAVEL_SHIPPED_FILES ${folder}/${name})
    # The build folder starts with the same defaults; a copy changed there is left alone.
    if(NOT EXISTS ${CMAKE_BINARY_DIR}/${folder}/${name})
      file(COPY ${file} DESTINATION ${CMAKE_BINARY_DIR}/${folder})
    endif()
  endforeach()
endforeach()

# Desktop entry, icons and AppStream data, all named by the application id.
install(FILES ${QIRAVEL_LINUX}/${QIRAVEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QIRAVEL_LINUX}/${QIRAVEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QIRAVEL_LINUX}/icons/scalable/${QIRAVEL_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
set(QIRAVEL_ICON_SIZES 16 24 32 48 64 128 256)
foreach(size IN LISTS QIRAVEL_ICON_SIZES)
  install(FILES ${QIRAVEL_LINUX}/icons/${size}x${size}/${QIRAVEL_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual pages, with the version filled in and compressed as Debian installs them.
find_program(QIRAVEL_GZIP gzip)
set(QIRAVEL_MAN_PAGES qiravel-cli.1)
if(TARGET qiravel)
  list(APPEND QIRAVEL_MAN_PAGES qiravel.1)
endif()
set(man_outputs "")
foreach(page IN LISTS QIRAVEL_MAN_PAGES)
  set(man ${CMAKE_BINARY_DIR}/man/${page})
  configure_file(${QIRAVEL_LINUX}/${page}.in ${man} @ONLY)
  if(QIRAVEL_GZIP)
    add_custom_command(OUTPUT ${man}.gz
      COMMAND ${QIRAVEL_GZIP} -9nkf ${man}
      DEPENDS ${man}
      COMMENT "Compressing the manual page ${page}")
    set(man ${man}.gz)
  endif()
  list(APPEND man_outputs ${man})
  install(FILES ${man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(manpages ALL DEPENDS ${man_outputs})

# The Debian package: cpack -G DEB in the build folder gives qiravel_<version>_<arch>.deb.
set(QIRAVEL_DEB_MAINTAINER "Qiravel developers <maintainers@qiravel.invalid>"
  CACHE STRING "Maintainer named in the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qiravel)
set(CPACK_PACKAGE_VENDOR "Qiravel developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Zi Wei Dou Shu (紫微斗数) astrology charts and case file")
# Debian wraps the long description at 80 columns: one line each here.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Qiravel casts and studies Zi Wei Dou Shu charts, for Chinese-speaking"
  "practitioners and researchers. From a birth date and time (Gregorian or lunar,"
  "4713 BC to 9999) and place it converts the moment with its own astronomical"
  "calendar engine, casts the natal chart and annual, decade, monthly, daily and"
  "hourly charts, draws them, writes an interpretation report and keeps cases"
  "with comments in a case file."
  "The desktop program qiravel has a Chinese interface, and qiravel-cli offers"
  "the same from the command line.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QIRAVEL_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from dpkg-shlibdeps, with the versions the binaries were built against.
# Beyond them: the Song face the chart and report are drawn in, Qt's Chinese texts for its
# standard dialogs, and Qt's platform plugins (a Qt program does not link them).
set(QIRAVEL_DEB_RUNTIME "fonts-arphic-uming, qt6-translations-l10n, qt6-qpa-plugins")
find_program(QIRAVEL_SHLIBDEPS dpkg-shlibdeps)
if(QIRAVEL_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${QIRAVEL_DEB_RUNTIME}")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libgcc-s1, libqt6core6, libqt6gui6, libqt6widgets6, libqt6printsupport6, libjpeg62-turbo, ${QIRAVEL_DEB_RUNTIME}")
endif()
include(CPack)

# The install as CI sees it: into a staging prefix, then the installed qiravel-cli with a
# fresh HOME, and the validators on the installed desktop files where they are present.
if(QIRAVEL_TESTS)
  set(QIRAVEL_INSTALL_CHECK_APP OFF)
  if(TARGET qiravel)
    set(QIRAVEL_INSTALL_CHECK_APP ON)
  endif()
  # Lists go to the script joined by commas: add_test would split them into words.
  string(REPLACE ";" "," icon_sizes "${QIRAVEL_ICON_SIZES}")
  string(REPLACE ";" "," shipped_files "${QIRAVEL_SHIPPED_FILES}")
  add_test(NAME InstallLayout
    COMMAND ${CMAKE_COMMAND}
      -D BUILD=${CMAKE_BINARY_DIR}
      -D WORK=${CMAKE_BINARY_DIR}/install-check
      -D APP_ID=${QIRAVEL_APP_ID}
      -D VERSION=${PROJECT_VERSION}
      -D WITH_APP=${QIRAVEL_INSTALL_CHECK_APP}
      -D ICON_SIZES=${icon_sizes}
      -D SHIPPED=${shipped_files}
      -D BINDIR=${CMAKE_INSTALL_BINDIR}
      -D DATADIR=${CMAKE_INSTALL_DATADIR}
      -D MANDIR=${CMAKE_INSTALL_MANDIR}
      -P ${PROJECT_SOURCE_DIR}/tools/CheckInstall.cmake)
endif()
