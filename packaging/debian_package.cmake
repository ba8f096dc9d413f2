# The Debian packages (scripts/package.sh runs CPack): orb-server, the
# headless server, which depends on no Qt package; orb-server-desktop, the
# desktop view module, which depends on Qt 6 and on the server of the same
# version. Library dependencies are found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orb-server)
set(CPACK_PACKAGE_VENDOR "ORB")
set(CPACK_PACKAGE_CONTACT "ORB telescope server developers <orb-server@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL server)
if(TARGET orb_qt_view_module)
  list(APPEND CPACK_COMPONENTS_ALL desktop)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The maintainer scripts must be executable inside the package.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_SERVER_PACKAGE_NAME orb-server)
# adduser for the system user; init-system-helpers for deb-systemd-helper.
set(CPACK_DEBIAN_SERVER_PACKAGE_DEPENDS "adduser, init-system-helpers")
set(CPACK_COMPONENT_SERVER_DESCRIPTION "telescope server for the Meade LX200 and AutoStar, headless
ORB drives one telescope of the Meade LX200 family over a serial port and
lets programs command it over TCP (one text line per request). This package
runs it as the systemd service orb-server, as the system user orb-server
(in the group dialout) with its files in /var/lib/orb-server, and holds
orb_client, a command-line client for shell scripts and cron.")
set(dir ${CMAKE_CURRENT_LIST_DIR}/debian)
set(CPACK_DEBIAN_SERVER_PACKAGE_CONTROL_EXTRA "${dir}/postinst;${dir}/prerm;${dir}/postrm;${dir}/conffiles")

set(CPACK_DEBIAN_DESKTOP_PACKAGE_NAME orb-server-desktop)
set(CPACK_DEBIAN_DESKTOP_PACKAGE_DEPENDS "orb-server (= ${PROJECT_VERSION})")
# The panels were drawn for the widths of Liberation Sans.
set(CPACK_DEBIAN_DESKTOP_PACKAGE_RECOMMENDS "fonts-liberation2")
set(CPACK_COMPONENT_DESKTOP_DESCRIPTION "telescope server for the Meade LX200 and AutoStar, desktop view
The windows of the ORB telescope server (Qt 6): orb_server started without
--headless on a desktop shows its main window and control panels.")

include(CPack)
