# What the Debian package velmar holds and how CPack builds it:
#   /usr/bin/velmar, /usr/bin/velmar-calc
#   the desktop entry "Велмар", the icon (SVG and PNG sizes, hicolor theme),
#   the file type of *.vdt (shared-mime-info), the man pages velmar(1) and
#   velmar-calc(1), the examples and the copyright under /usr/share/doc/velmar.
# scripts/package.sh configures with CMAKE_INSTALL_PREFIX=/usr and runs cpack.
include(GNUInstallDirs)

set(VELMAR_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS velmar-calc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET velmar)
  install(TARGETS velmar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${VELMAR_PACKAGING}/velmar.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELMAR_PACKAGING}/velmar-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME velmar.xml)
install(FILES ${VELMAR_PACKAGING}/velmar.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${VELMAR_PACKAGING}/icons/velmar_${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME velmar.png)
endforeach()

# The man pages and the changelog compressed as Debian keeps them.
set(VELMAR_DOC ${CMAKE_INSTALL_DATADIR}/doc/velmar)
foreach(page velmar.1 velmar-calc.1 changelog)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/${page}.gz
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
                     COMMAND gzip -9n -c ${VELMAR_PACKAGING}/${page} > ${PROJECT_BINARY_DIR}/packaging/${page}.gz
                     DEPENDS ${VELMAR_PACKAGING}/${page}
                     VERBATIM)
  list(APPEND VELMAR_COMPRESSED ${PROJECT_BINARY_DIR}/packaging/${page}.gz)
endforeach()
add_custom_target(velmar_package_files ALL DEPENDS ${VELMAR_COMPRESSED})
install(FILES ${PROJECT_BINARY_DIR}/packaging/velmar.1.gz ${PROJECT_BINARY_DIR}/packaging/velmar-calc.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz ${VELMAR_PACKAGING}/copyright DESTINATION ${VELMAR_DOC})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${VELMAR_DOC}/examples
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Velmar developers <velmar@velmar.example>")
set(CPACK_PACKAGE_VENDOR "Velmar developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator of gas volumes at standard conditions and their errors")
# The long description under the summary; CPack indents its lines and
# writes an empty line as " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Velmar is a desktop engineering calculator for the metrologists who certify
the commercial measurement of natural gas and technical gases by turbine,
vortex, rotary and ultrasonic flowmeters. From the medium, its composition,
the volume, temperature and pressures it computes the volume reduced to
standard conditions and the mass, the error (expanded uncertainty) of the
measuring channels and of the volume, and the flowmeter diameter, and prints
the calculation report.

The package holds the desktop program velmar (in Russian) and the batch tool
velmar-calc.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the window system
# and offscreen platforms of Qt, Qt's Russian texts, and the fonts the report
# pages are laid out for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_SOURCE_DIR}/build/package)
include(CPack)
