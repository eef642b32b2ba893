# Debian package of the desktop program and tavro-cli: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME "tavro")
set(CPACK_PACKAGE_VENDOR "Tavro")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "School lesson timetable builder (Tavro中小学排课系统2.0版)")
set(CPACK_PACKAGE_CONTACT "Tavro maintainers <tavro@localhost>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "tavro")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Builds the weekly lesson timetable of a primary or secondary school from five\n spreadsheets, lets the teaching office swap lessons and exports timetables.")
include(CPack)
