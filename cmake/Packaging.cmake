# The Debian package: `cpack -G DEB` in the build folder. Installed under /usr;
# the libraries the programs link are found by dpkg-shlibdeps, the programs and
# plugins the player only loads at run time are named here.
set(CPACK_PACKAGE_NAME kelmora-player)
set(CPACK_PACKAGE_VENDOR "Kelmora Player maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "player for car dashcam recordings with GPS map and telemetry")
set(CPACK_PACKAGE_DESCRIPTION
    "Kelmora Player plays the MP4, MOV and TS files of one- to four-channel car cameras,
keeps them in a local library with thumbnails and trips, plays the channels of one
moment in step, and shows the GPS track on a map, the speed, G-sensor curves and
driving events stored in the recordings. It cuts segments (optionally with a speed,
time and position caption) and exports tracks as GPX, CSV or GeoJSON; the
kelmora-telemetry command prints the same telemetry.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Kelmora Player maintainers <maintainers@kelmora.org>"
    CACHE STRING "Maintainer of the Debian package")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# ffmpeg makes thumbnails and cuts; libVLC's decoders and video outputs are
# plugins; the library is a SQLite file opened through Qt's driver plugin.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "ffmpeg, vlc-plugin-base, vlc-plugin-video-output, libqt5sql5-sqlite")
# lspci names the graphics card in the diagnostics, Mesa draws without a GPU
# driver, and the Chinese texts need a CJK font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pciutils, libgl1-mesa-dri, fonts-noto-cjk")

include(CPack)
