# The Debian package, built by CPack from the install rules ("make package").
# VANTREL_MAINTAINER is set in Install.cmake, whose changelog names it too.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "The Vantrel developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${VANTREL_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "profile editor and Linux driver for the X36 flight stick")
# Lines of at most 79 characters, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION
    "Vantrel builds programming profiles for the X36 HOTAS, a flight-simulation
stick and throttle pair. Scripts of key, mouse, DirectX button and hat events
with their delays are bound to the buttons, hats and axis breakpoints of each
programming mode. Profiles are kept as text files that can be edited by hand
and are translated into the device profile file the X36 takes.

The package also holds vantrel-driver, which takes the profiles vantrel sends
and plays them from a joystick through a virtual keyboard, mouse and joystick,
with its systemd user service and udev rule, and x36-simdriver, a simulated
X36 driver for trying profiles out.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VANTREL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VANTREL_HOMEPAGE})
# The libraries' packages come from dpkg-shlibdeps; Help > Readme and Homepage go through
# xdg-open.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "systemd")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
