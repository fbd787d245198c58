# The desktop side of the program: its icon (drawn once, as an SVG, and
# rendered at the theme's sizes by exo-make-icons), the desktop entry, the
# file type of experiments, the software-centre entry and the manual pages.
# The Debian package is built from debian/ (dpkg-buildpackage).

set(EXO_DESKTOP_DIR "${CMAKE_SOURCE_DIR}/data/desktop")
set(EXO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(EXO_ICON_DIR "${CMAKE_BINARY_DIR}/icons/hicolor")

if(TARGET exo_ui)
  find_package(Qt6 REQUIRED COMPONENTS Svg)
  add_executable(exo-make-icons ${CMAKE_SOURCE_DIR}/tools/make_icons.cpp)
  target_link_libraries(exo-make-icons PRIVATE Qt6::Svg Qt6::Gui)

  set(EXO_ICON_FILES)
  foreach(size ${EXO_ICON_SIZES})
    list(APPEND EXO_ICON_FILES "${EXO_ICON_DIR}/${size}x${size}/apps/veltrano-optics.png")
  endforeach()
  add_custom_command(OUTPUT ${EXO_ICON_FILES}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:exo-make-icons> "${EXO_DESKTOP_DIR}/veltrano-optics.svg" "${EXO_ICON_DIR}"
    DEPENDS exo-make-icons "${EXO_DESKTOP_DIR}/veltrano-optics.svg"
    COMMENT "Rendering the application icon")
  add_custom_target(app_icons ALL DEPENDS ${EXO_ICON_FILES})

  # The window icon, from the same pictures (":/icons/NxN/apps/veltrano-optics.png").
  qt_add_resources(exo_ui "app_icons"
    PREFIX "/icons"
    BASE "${EXO_ICON_DIR}"
    FILES ${EXO_ICON_FILES})

  foreach(size ${EXO_ICON_SIZES})
    install(FILES "${EXO_ICON_DIR}/${size}x${size}/apps/veltrano-optics.png"
      DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps")
  endforeach()
  install(FILES "${EXO_DESKTOP_DIR}/veltrano-optics.svg"
    DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps")
  # The entry starts the program in its data folder, as a Windows shortcut's "Start in"
  # does: the open dialog begins in the working folder's "Optics example". The folder
  # is known only at install time (cmake --install --prefix, the package's /usr).
  if(IS_ABSOLUTE "${EXO_DATA_INSTALL_DIR}")
    set(EXO_RUN_DIR "${EXO_DATA_INSTALL_DIR}")
  else()
    set(EXO_RUN_DIR "\${CMAKE_INSTALL_PREFIX}/${EXO_DATA_INSTALL_DIR}")
  endif()
  install(CODE "
    set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATAROOTDIR}/applications/veltrano-optics.desktop\")
    message(STATUS \"Installing: \${entry}\")
    file(READ \"${EXO_DESKTOP_DIR}/veltrano-optics.desktop\" text)
    file(WRITE \"\${entry}\" \"\${text}Path=${EXO_RUN_DIR}\n\")")
  install(FILES "${EXO_DESKTOP_DIR}/veltrano-optics.xml"
    DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/mime/packages")
endif()

# The software-centre entry (AppStream), for the desktop entry above, with
# screenshots that exo-tool renders from examples at build time. Software
# centres load screenshots from the web; the package keeps the same pictures.
if(TARGET veltrano-optics)
  set(EXO_APPSTREAM_ID "invalid.veltrano.Optics")
  set(EXO_SCREENSHOT_URL "https://veltrano.invalid/optics/screenshots")
  set(EXO_METAINFO "${CMAKE_BINARY_DIR}/desktop/${EXO_APPSTREAM_ID}.metainfo.xml")
  configure_file("${EXO_DESKTOP_DIR}/veltrano-optics.metainfo.xml.in" "${EXO_METAINFO}" @ONLY)
  install(FILES "${EXO_METAINFO}" DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/metainfo")
  set(EXO_SCREENSHOTS "白光经过三棱镜|prism" "凸透镜成像(物体在二倍焦距以外)|convex-lens")
  set(EXO_SCREENSHOT_FILES)
  foreach(entry ${EXO_SCREENSHOTS})
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 example)
    list(GET parts 1 picture)
    set(out "${CMAKE_BINARY_DIR}/screenshots/${picture}.png")
    add_custom_command(OUTPUT "${out}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/screenshots"
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
        $<TARGET_FILE:exo-tool> render "${CMAKE_SOURCE_DIR}/examples/${example}.exo" "${out}"
        --size 1280x800 --hq
      DEPENDS exo-tool "${CMAKE_SOURCE_DIR}/examples/${example}.exo"
      COMMENT "Rendering the screenshot ${picture}.png" VERBATIM)
    list(APPEND EXO_SCREENSHOT_FILES "${out}")
  endforeach()
  add_custom_target(screenshots ALL DEPENDS ${EXO_SCREENSHOT_FILES})
  install(FILES ${EXO_SCREENSHOT_FILES}
    DESTINATION "${EXO_DATA_INSTALL_DIR}/screenshots")
endif()

# The manual pages (compressed by the package build).
install(FILES "${CMAKE_SOURCE_DIR}/data/man/exo-tool.1" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
if(TARGET veltrano-optics)
  install(FILES "${CMAKE_SOURCE_DIR}/data/man/veltrano-optics.1"
    DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endif()
