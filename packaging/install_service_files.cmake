# Run by cmake --install and by CPack: writes the systemd unit and its
# options file with the paths of this installation, so that the unit starts
# the orb_server installed beside it. Under the prefix /usr (the Debian
# package) they go where Debian keeps them, /lib/systemd/system and
# /etc/default; under any other prefix (as a test's temporary one) below it.
# Set by the caller: ORB_PACKAGING_DIR (packaging/ of the sources),
# ORB_WORK_DIR (a folder of the build); CMAKE_INSTALL_PREFIX is the one of
# this installation.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(unit_dir /lib/systemd/system)
  set(defaults_dir /etc/default)
else()
  set(unit_dir ${CMAKE_INSTALL_PREFIX}/lib/systemd/system)
  set(defaults_dir ${CMAKE_INSTALL_PREFIX}/etc/default)
endif()
set(ORB_BIN_DIR ${CMAKE_INSTALL_PREFIX}/bin)
set(ORB_DOC_DIR ${CMAKE_INSTALL_PREFIX}/share/doc/orb-server)
set(ORB_DEFAULTS_FILE ${defaults_dir}/orb-server)

configure_file(${ORB_PACKAGING_DIR}/orb-server.service.in ${ORB_WORK_DIR}/orb-server.service @ONLY)
configure_file(${ORB_PACKAGING_DIR}/orb-server.default ${ORB_WORK_DIR}/orb-server COPYONLY)
file(INSTALL DESTINATION ${unit_dir} TYPE FILE FILES ${ORB_WORK_DIR}/orb-server.service)
file(INSTALL DESTINATION ${defaults_dir} TYPE FILE FILES ${ORB_WORK_DIR}/orb-server)
