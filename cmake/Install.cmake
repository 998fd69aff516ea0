# Installing Vantrel into the usual Linux layout under CMAKE_INSTALL_PREFIX: the programs, the
# guide and examples, the desktop entry, AppStream data, file types, icons, manual pages and the
# driver's user service and udev rule. Included at the end of the top CMakeLists.txt, once
# every target exists; the folders come from GNUInstallDirs, included there.
if(NOT UNIX OR APPLE OR NOT TARGET vantrel)
    return()
endif()

set(VANTREL_MAINTAINER "The Vantrel developers <vantrel@example.org>"
    CACHE STRING "The package maintainer, as Name <address>")

set(VANTREL_DIST ${PROJECT_SOURCE_DIR}/dist)
set(VANTREL_DIST_BUILD ${PROJECT_BINARY_DIR}/dist)

install(TARGETS vantrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The editor program, which vantrel runs from its own folder: no RPATH needed.
if(TARGET vantrel-editor)
    install(TARGETS vantrel-editor RUNTIME DESTINATION ${VANTREL_EDITOR_DIR})
endif()
foreach(tool vantrel-driver x36-simdriver)
    if(TARGET ${tool})
        install(TARGETS ${tool} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

# The guide, the examples and the licence.
install(FILES ${PROJECT_SOURCE_DIR}/docs/readme.html DESTINATION ${CMAKE_INSTALL_DOCDIR})
file(GLOB VANTREL_EXAMPLES CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/examples/*.vtp ${PROJECT_SOURCE_DIR}/examples/*.events)
install(FILES ${VANTREL_EXAMPLES} DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
configure_file(${VANTREL_DIST}/copyright ${VANTREL_DIST_BUILD}/copyright @ONLY)
install(FILES ${VANTREL_DIST_BUILD}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
# A native Debian package carries its changelog, compressed, beside the copyright.
configure_file(${VANTREL_DIST}/changelog.in ${VANTREL_DIST_BUILD}/changelog @ONLY)
set(VANTREL_CHANGELOG_GZ ${VANTREL_DIST_BUILD}/changelog.gz)
add_custom_command(OUTPUT ${VANTREL_CHANGELOG_GZ}
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${VANTREL_DIST_BUILD}/changelog
            ${VANTREL_CHANGELOG_GZ}
    DEPENDS ${VANTREL_DIST_BUILD}/changelog COMMENT "Compressing the changelog" VERBATIM)
install(FILES ${VANTREL_CHANGELOG_GZ} DESTINATION ${CMAKE_INSTALL_DOCDIR})
# What lintian is told to accept, each with its reason.
install(FILES ${VANTREL_DIST}/lintian/vantrel DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides)

# Desktop integration: the entry is named after the AppStream id, as AppStream expects.
install(FILES ${VANTREL_DIST}/vantrel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${VANTREL_APP_ID}.desktop)
configure_file(${VANTREL_DIST}/vantrel.metainfo.xml.in
               ${VANTREL_DIST_BUILD}/${VANTREL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${VANTREL_DIST_BUILD}/${VANTREL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VANTREL_DIST}/vantrel-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME vantrel.xml)

# The icon: the scalable original and its PNGs for the fixed sizes (the window icon takes the
# small ones from the same files).
install(FILES ${PROJECT_SOURCE_DIR}/resources/vantrel-icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME vantrel.svg)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icon/${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME vantrel.png)
endforeach()

# The guide's pictures of the editor window and its three panels, taken at build time from an
# example profile, so that the installed guide shows the program as it was built. The windows
# are drawn off screen; no display is needed.
add_library(vantrel_guide_screenshots STATIC ${VANTREL_DIST}/screenshots/GuideScreenshots.cpp
                                             ${VANTREL_DIST}/screenshots/GuideScreenshots.h)
target_link_libraries(vantrel_guide_screenshots PUBLIC vantrel_app Qt6::Test)
target_include_directories(vantrel_guide_screenshots PUBLIC ${VANTREL_DIST}/screenshots)
vantrel_warnings(vantrel_guide_screenshots)
add_executable(vantrel_take_screenshots ${VANTREL_DIST}/screenshots/TakeScreenshots.cpp)
target_link_libraries(vantrel_take_screenshots PRIVATE vantrel_guide_screenshots)
vantrel_warnings(vantrel_take_screenshots)
set(VANTREL_SCREENSHOT_PROFILE ${PROJECT_SOURCE_DIR}/examples/flaps-gear.vtp)
set(VANTREL_GUIDE_IMAGES_DIR ${PROJECT_BINARY_DIR}/docs/images)
set(VANTREL_GUIDE_IMAGES)
foreach(name editor-window stick-panel throttle-panel axis-panel)
    list(APPEND VANTREL_GUIDE_IMAGES ${VANTREL_GUIDE_IMAGES_DIR}/${name}.png)
endforeach()
add_custom_command(OUTPUT ${VANTREL_GUIDE_IMAGES}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:vantrel_take_screenshots> ${VANTREL_SCREENSHOT_PROFILE}
            ${VANTREL_GUIDE_IMAGES_DIR}
    DEPENDS vantrel_take_screenshots ${VANTREL_SCREENSHOT_PROFILE}
    COMMENT "Taking the guide's screenshots" VERBATIM)
install(FILES ${VANTREL_GUIDE_IMAGES} DESTINATION ${CMAKE_INSTALL_DOCDIR}/images)

# Manual pages, compressed as Debian installs them.
set(VANTREL_MAN_PAGES)
foreach(page vantrel.1 vantrel-driver.1 x36-simdriver.1)
    set(gz ${VANTREL_DIST_BUILD}/man/${page}.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTREL_DIST_BUILD}/man
        COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${VANTREL_DIST}/man/${page} ${gz}
        DEPENDS ${VANTREL_DIST}/man/${page}
        COMMENT "Compressing the manual page ${page}" VERBATIM)
    list(APPEND VANTREL_MAN_PAGES ${gz})
    install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(vantrel_dist_files ALL DEPENDS ${VANTREL_MAN_PAGES}
                                             ${VANTREL_GUIDE_IMAGES} ${VANTREL_CHANGELOG_GZ})

# The driver's user service and udev rule. The service names the program by its installed
# path, known only when installing (cmake --install --prefix, CPack), so it is written then.
# systemd and udev look in lib/ under the prefix, never in a multiarch library folder.
set(VANTREL_SYSTEMD_USER_DIR "lib/systemd/user" CACHE PATH "systemd user units")
set(VANTREL_UDEV_RULES_DIR "lib/udev/rules.d" CACHE PATH "udev rules")
if(TARGET vantrel-driver)
    set(driver_dist ${PROJECT_SOURCE_DIR}/tools/vantrel-driver/dist)
    set(installed_bindir "\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}")
    if(IS_ABSOLUTE ${CMAKE_INSTALL_BINDIR})
        set(installed_bindir ${CMAKE_INSTALL_BINDIR})
    endif()
    install(CODE "
        file(READ \"${driver_dist}/vantrel-driver.service\" unit)
        string(REPLACE \"\\nExecStart=vantrel-driver \"
                       \"\\nExecStart=${installed_bindir}/vantrel-driver \" unit \"\${unit}\")
        file(WRITE \"${VANTREL_DIST_BUILD}/vantrel-driver.service\" \"\${unit}\")")
    install(FILES ${VANTREL_DIST_BUILD}/vantrel-driver.service
            DESTINATION ${VANTREL_SYSTEMD_USER_DIR})
    install(FILES ${driver_dist}/60-vantrel-driver.rules DESTINATION ${VANTREL_UDEV_RULES_DIR})
endif()

include(Package)
