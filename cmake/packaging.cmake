# Debian package of the desktop program and tavro-cli: cpack -G DEB in the build folder.
# The licence, the manual and the administrator's guide go to share/doc/tavro (Debian's place for
# a package's copyright file and documents).
include(GNUInstallDirs)
set(TAVRO_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/tavro")
install(FILES "${CMAKE_SOURCE_DIR}/packaging/copyright" "${CMAKE_SOURCE_DIR}/LICENSE"
              "${CMAKE_SOURCE_DIR}/README.md" "${CMAKE_SOURCE_DIR}/CHANGELOG.md"
              "${CMAKE_SOURCE_DIR}/docs/用户手册.md" "${CMAKE_SOURCE_DIR}/docs/admin.md"
        DESTINATION "${TAVRO_DOC_DIR}")
install(DIRECTORY "${CMAKE_SOURCE_DIR}/docs/screens" DESTINATION "${TAVRO_DOC_DIR}")

set(CPACK_PACKAGE_NAME "tavro")
set(CPACK_PACKAGE_VENDOR "Tavro")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "School lesson timetable builder (Tavro中小学排课系统2.0版)")
set(CPACK_PACKAGE_CONTACT "Seed 0dba4c46 maintainers <maintainers@users.noreply.c-seed-0dba4c46.example>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "tavro")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A Chinese font for the windows, and Qt's Chinese texts for its standard dialogs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Builds the weekly lesson timetable of a primary or secondary school from five\n spreadsheets, lets the teaching office swap lessons and exports timetables.")
include(CPack)
