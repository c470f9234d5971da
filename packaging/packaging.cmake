# Debian packages of the client and the simulator from one build:
#
#   cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=Release && ninja -C build-pkg
#   (cd build-pkg && cpack -G DEB)
#
# makes tarnek-client_<version>_<arch>.deb (component "client") and
# tarnek-sim_<version>_<arch>.deb (component "sim"). The programs themselves
# are installed next to their targets (src/app, sim); this file adds what
# goes around them. tools/package_check.sh builds, checks, installs and
# tries both.

# A sanitizer or fuzzer build is no build to ship.
if(CLIENT_SANITIZE OR CLIENT_BUILD_FUZZ)
  return()
endif()

set(TARNEK_MAINTAINER "TARNEK İNTERAKTİF geliştiricileri <dev@tarnek.invalid>")
set(TARNEK_HOMEPAGE "https://tarnek.invalid/" CACHE STRING "Product web page named in the software-centre entry")
set(TARNEK_SCREENSHOTS "${TARNEK_HOMEPAGE}screenshots" CACHE STRING
    "Where docs/screenshots/ is published (the software-centre entry's screenshots)")
# The date of this version: move both with project(VERSION).
set(TARNEK_RELEASE_DATE 2026-12-10)
set(TARNEK_RELEASE_DATE_RFC2822 "Thu, 10 Dec 2026 12:00:00 +0000")
set(TARNEK_APP_ID invalid.tarnek.client)

set(pkg_src ${CMAKE_CURRENT_LIST_DIR})
set(pkg_out ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${pkg_out}/client ${pkg_out}/sim)

# Manual pages and changelogs go in gzip -9n (no name, no time: the same bytes every build).
set(pkg_gz)
foreach(comp_file IN ITEMS client/tarnek-client.1 client/tarnek-history.1 sim/tarnek-sim.1 client/changelog sim/changelog)
  get_filename_component(name ${comp_file} NAME)
  configure_file(${pkg_src}/${name}.in ${pkg_out}/${comp_file} @ONLY)
  add_custom_command(OUTPUT ${pkg_out}/${comp_file}.gz
    COMMAND gzip -9nfk ${pkg_out}/${comp_file}
    DEPENDS ${pkg_out}/${comp_file}
    VERBATIM)
  list(APPEND pkg_gz ${pkg_out}/${comp_file}.gz)
endforeach()
configure_file(${pkg_src}/${TARNEK_APP_ID}.metainfo.xml.in ${pkg_out}/client/${TARNEK_APP_ID}.metainfo.xml @ONLY)

# The service's site is the built-in demo site, written by the simulator itself.
add_custom_command(OUTPUT ${pkg_out}/sim/site.json
  COMMAND sh -c "\"$0\" --print-site > \"$1\"" $<TARGET_FILE:central_sim> ${pkg_out}/sim/site.json
  DEPENDS central_sim
  VERBATIM)
add_custom_target(packaging_files ALL DEPENDS ${pkg_gz} ${pkg_out}/sim/site.json)

# --- tarnek-client ---
if(TARGET tarnek-history)
  install(TARGETS tarnek-history RUNTIME DESTINATION bin COMPONENT client)
endif()
install(FILES ${pkg_src}/${TARNEK_APP_ID}.desktop DESTINATION share/applications COMPONENT client)
install(FILES ${pkg_out}/client/${TARNEK_APP_ID}.metainfo.xml DESTINATION share/metainfo COMPONENT client)
install(FILES ${pkg_src}/tarnek-client.svg DESTINATION share/icons/hicolor/scalable/apps
        RENAME ${TARNEK_APP_ID}.svg COMPONENT client)
foreach(side IN ITEMS 16 22 24 32 48 64 128 256)
  install(FILES ${pkg_src}/icons/tarnek-client-${side}.png DESTINATION share/icons/hicolor/${side}x${side}/apps
          RENAME ${TARNEK_APP_ID}.png COMPONENT client)
endforeach()
install(FILES ${pkg_out}/client/tarnek-client.1.gz ${pkg_out}/client/tarnek-history.1.gz
        DESTINATION share/man/man1 COMPONENT client)
install(FILES ${pkg_out}/client/changelog.gz ${pkg_src}/copyright DESTINATION share/doc/tarnek-client
        COMPONENT client)

# --- tarnek-sim ---
# Debian 12 looks for packaged units in /lib/systemd/system.
install(FILES ${pkg_src}/tarnek-sim.service DESTINATION /lib/systemd/system COMPONENT sim)
install(FILES ${pkg_out}/sim/site.json DESTINATION /etc/tarnek-sim COMPONENT sim)
install(FILES ${pkg_src}/sim/tarnek-sim.default DESTINATION /etc/default RENAME tarnek-sim COMPONENT sim)
install(FILES ${PROJECT_SOURCE_DIR}/docs/site-example.json DESTINATION share/doc/tarnek-sim/examples COMPONENT sim)
install(FILES ${pkg_out}/sim/tarnek-sim.1.gz DESTINATION share/man/man1 COMPONENT sim)
install(FILES ${pkg_out}/sim/changelog.gz ${pkg_src}/copyright DESTINATION share/doc/tarnek-sim COMPONENT sim)

# install(PROGRAMS ... RENAME) does not strip as install(TARGETS) does: the
# renamed programs are stripped here when cpack asks for it.
foreach(comp_program IN ITEMS client:tarnek-client sim:tarnek-sim)
  string(REPLACE ":" ";" comp_program ${comp_program})
  list(GET comp_program 0 comp)
  list(GET comp_program 1 program)
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded --remove-section=.comment --remove-section=.note \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${program}\"
                  COMMAND_ERROR_IS_FATAL ANY)
endif()" COMPONENT ${comp})
endforeach()

set(CPACK_PACKAGE_NAME tarnek)
set(CPACK_PACKAGE_VENDOR "TARNEK İNTERAKTİF")
set(CPACK_PACKAGE_CONTACT "${TARNEK_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL client sim)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TARNEK_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_CLIENT_PACKAGE_NAME tarnek-client)
# dpkg-shlibdeps finds the libraries; what the client loads by name it cannot
# see: the X11 platform plugin, the seven-segment font of the LED displays and
# the history's SQLite driver (the PostgreSQL one only for a shared history,
# Qt's own Turkish texts for the buttons of its standard dialogs).
set(CPACK_DEBIAN_CLIENT_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dseg, libqt6sql6-sqlite")
set(CPACK_DEBIAN_CLIENT_PACKAGE_RECOMMENDS "libqt6sql6-psql, qt6-translations-l10n")
set(CPACK_DEBIAN_CLIENT_DESCRIPTION "remote monitoring of electrical field devices
Desktop client for the remote monitoring and configuration of electrical
field devices - reactive-power compensation relays, power analysers,
overcurrent relays, meter-reading modems and industrial modems - reached
through one TCP connection to a central server. It shows the live values of
the active device every second, reads energy counters and meter readouts,
classifies the reactive to active energy ratios, analyses harmonics and reads
and writes relay settings. The interface is Turkish.")

set(CPACK_DEBIAN_SIM_PACKAGE_NAME tarnek-sim)
set(CPACK_DEBIAN_SIM_DESCRIPTION "stand-in central server for the field device client
Simulates the central server of tarnek-client and the field devices behind
it, with live physics, for demonstrations, training and tests. It serves a
site of users, device groups and devices from a JSON file and injects faults
of a poor line on demand. The package runs it as the systemd service
tarnek-sim, serving /etc/tarnek-sim/site.json; its log goes to the journal.")
set(CPACK_DEBIAN_SIM_PACKAGE_CONTROL_EXTRA
    ${pkg_src}/sim/conffiles ${pkg_src}/sim/postinst ${pkg_src}/sim/prerm ${pkg_src}/sim/postrm)

include(CPack)
cpack_add_component(client DISPLAY_NAME "Client")
cpack_add_component(sim DISPLAY_NAME "Simulator")
