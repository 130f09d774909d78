# `cpack -G DEB` in the build folder: a Debian package of what `cmake --install` installs, with
# the libraries found by dpkg-shlibdeps and the run-time packages the program needs beside them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kolvane)
set(CPACK_PACKAGE_VENDOR "The Kolvane developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese schedule book that lives in the tray")
# Lines as the package shows them.
set(CPACK_PACKAGE_DESCRIPTION
    "Kolvane keeps a free-text schedule for every day in Shift-JIS month files
and shows the month as a small calendar that lives in the tray. It knows the
Japanese national holidays, era years, week numbers and rokuyo, and reminds
you of timed lines. It also carries a to-do list, memos as sticky notes, a
launcher, printing and export. tavikg shows another user's month read-only.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Kolvane developers <maintainers@kolvane.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Used at run time, so dpkg-shlibdeps cannot see them: the fonts the settings name (the Japanese
# ones and the calendar's serif), Qt's own Japanese texts; a sound server for the chimes and
# voices, and the desktop's opener for the help and for files.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-liberation, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse, xdg-utils")
include(CPack)
