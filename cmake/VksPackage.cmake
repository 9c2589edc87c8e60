# The Debian package (cpack -G DEB in the build folder): everything `cmake --install` puts below
# the prefix, below /usr. The install writes no user's registry; each user's first start of the
# server makes the user's own folder of it the main installation (programs/vks-kontoserver).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tradomir-kontoserver)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tradomir")
set(CPACK_PACKAGE_CONTACT "Tradomir Kontoserver <kontoserver@tradomir.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tradomir Kontoserver: virtuelle Handelskonten für Tradomir")
set(CPACK_PACKAGE_DESCRIPTION
    "Der Kontoserver führt simulierte Handelskonten für Tradomir am Sitzungsbus: Ausführungen, "
    "Positionen, Kennzahlen, RTT-Aufzeichnung und VBScript-Regeln; dazu die Kontenliste im Menü "
    "und die Werkzeuge vks-store, vks-rtt, vks-reg, vks-script, vbs und vks-host-demo.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_STRIP_FILES ON)
# The libraries the programs link, as dpkg-shlibdeps finds them; the bus that activates the server
# and that the demo starts a session of its own with; the plugin that draws the windows' SVG icon;
# Qt's own German texts; the browser opener of the help command.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "dbus-daemon, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland, qt6-translations-l10n")
include(CPack)
