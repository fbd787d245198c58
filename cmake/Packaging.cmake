# The desktop side of the program: its icon (drawn once, as an SVG, and
# rendered at the theme's sizes by exo-make-icons), the desktop entry, the
# file type of experiments, the launchers in bin/, and the Debian package.
#
# The program folder (EXO_INSTALL_DIR) holds the programs and their data, as
# the build lays them out; bin/ holds symbolic links to the two programs, so
# that each still finds its data beside its real path.

include(GNUInstallDirs)

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
  # The entry starts the program in its folder, as a Windows shortcut's "Start in" does:
  # the open dialog begins in the working folder's "Optics example". The folder is known
  # only at install time (cmake --install --prefix, the package's /usr).
  if(IS_ABSOLUTE "${EXO_INSTALL_DIR}")
    set(EXO_RUN_DIR "${EXO_INSTALL_DIR}")
  else()
    set(EXO_RUN_DIR "\${CMAKE_INSTALL_PREFIX}/${EXO_INSTALL_DIR}")
  endif()
  install(CODE "
    set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATAROOTDIR}/applications/veltrano-optics.desktop\")
    message(STATUS \"Installing: \${entry}\")
    file(READ \"${EXO_DESKTOP_DIR}/veltrano-optics.desktop\" text)
    file(WRITE \"\${entry}\" \"\${text}Path=${EXO_RUN_DIR}\n\")")
  install(FILES "${EXO_DESKTOP_DIR}/veltrano-optics.xml"
    DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/mime/packages")
endif()

# Launchers: bin/NAME -> the program folder's NAME, relative when the folder
# is under the prefix (so the package can be unpacked anywhere).
if(IS_ABSOLUTE "${EXO_INSTALL_DIR}")
  set(EXO_LAUNCH_TARGET "${EXO_INSTALL_DIR}")
else()
  file(RELATIVE_PATH EXO_LAUNCH_TARGET "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${EXO_INSTALL_DIR}")
endif()
set(EXO_LAUNCHERS exo-tool)
if(TARGET veltrano-optics)
  list(APPEND EXO_LAUNCHERS veltrano-optics)
endif()
foreach(name ${EXO_LAUNCHERS})
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bin}\")
    message(STATUS \"Installing: \${bin}/${name} -> ${EXO_LAUNCH_TARGET}/${name}\")
    file(CREATE_LINK \"${EXO_LAUNCH_TARGET}/${name}\" \"\${bin}/${name}\" SYMBOLIC)")
endforeach()

# cpack -G DEB (from the build folder): one package for Debian 12.
set(CPACK_PACKAGE_NAME "veltrano-optics")
set(CPACK_PACKAGE_VENDOR "Veltrano")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Interactive optics laboratory for the classroom")
set(CPACK_PACKAGE_DESCRIPTION
  "Place light sources, mirrors, glass blocks and lenses on a drawing surface and every ray is traced live: reflection, refraction with dispersion, total internal reflection, normals, backward extensions, angles and images. Includes exo-tool, the command-line tracer and renderer, and example experiments.")
set(CPACK_PACKAGE_CONTACT "Veltrano Optics developers <optics@veltrano.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
# Installs with DESTDIR, so that install-time code sees the real prefix (/usr).
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Chinese interface needs a CJK font; the library dependencies come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "onboard")
include(CPack)
