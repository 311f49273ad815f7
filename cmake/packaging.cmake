# Installation in the usual places and a Debian package built by CPack (cpack -G DEB).
include(GNUInstallDirs)

set(quorvel_programs quorvel-cli)
if(TARGET quorvel-sim)
    list(APPEND quorvel_programs quorvel-sim)
endif()
# The desktop program is installed once it is built.
if(TARGET quorvel)
    list(APPEND quorvel_programs quorvel)
endif()
install(TARGETS ${quorvel_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(TARGET manuals)
    foreach(language en de fr cz)
        install(FILES ${PROJECT_BINARY_DIR}/src/app/quorvel_2007_${language}.pdf DESTINATION ${CMAKE_INSTALL_DOCDIR})
    endforeach()
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quorvel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# .ign files are known to the desktop as parameter sets, which the desktop entry opens.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quorvel.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The manual pages, compressed as Debian keeps them.
find_program(QUORVEL_GZIP gzip)
if(QUORVEL_GZIP)
    set(quorvel_man_pages)
    foreach(page quorvel quorvel-cli quorvel-sim)
        set(compressed ${PROJECT_BINARY_DIR}/man/${page}.1.gz)
        add_custom_command(OUTPUT ${compressed}
                           COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
                           COMMAND ${QUORVEL_GZIP} -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/man/${page}.1 > ${compressed}
                           DEPENDS ${PROJECT_SOURCE_DIR}/packaging/man/${page}.1
                           VERBATIM)
        list(APPEND quorvel_man_pages ${compressed})
    endforeach()
    add_custom_target(man_pages ALL DEPENDS ${quorvel_man_pages})
    install(FILES ${quorvel_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quorvel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Windows: the program, its views module beside it and the Qt it needs, deployed by windeployqt
# into the installation folder, and an NSIS installer of that folder (cpack -G NSIS).
if(WIN32 AND TARGET quorvel)
    get_target_property(quorvel_qmake Qt6::qmake IMPORTED_LOCATION)
    get_filename_component(quorvel_qt_bin "${quorvel_qmake}" DIRECTORY)
    find_program(QUORVEL_WINDEPLOYQT windeployqt HINTS "${quorvel_qt_bin}")
    if(QUORVEL_WINDEPLOYQT)
        # The module is named as a second binary, so the Qt libraries only it uses (Data
        # Visualization, Charts, OpenGL) and their plugins are deployed too.
        install(CODE "
            execute_process(COMMAND \"${QUORVEL_WINDEPLOYQT}\" --release --no-compiler-runtime
                                    --dir \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\"
                                    \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quorvel.exe\"
                                    \"\${CMAKE_INSTALL_PREFIX}/${QUORVEL_VIEWS_INSTALL_DIR}/quorvel_views.dll\"
                            RESULT_VARIABLE deployed)
            if(NOT deployed EQUAL 0)
                message(FATAL_ERROR \"windeployqt failed: \${deployed}\")
            endif()")
    else()
        message(WARNING "windeployqt not found: the installation will lack the Qt libraries")
    endif()
    set(CPACK_GENERATOR NSIS)
    set(CPACK_NSIS_DISPLAY_NAME "Quorvel")
    set(CPACK_NSIS_PACKAGE_NAME "Quorvel")
    set(CPACK_PACKAGE_INSTALL_DIRECTORY "Quorvel")
    set(CPACK_NSIS_INSTALLED_ICON_NAME "bin/quorvel.exe")
    set(CPACK_PACKAGE_EXECUTABLES quorvel "Quorvel")
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
endif()

set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "Quorvel")
set(CPACK_PACKAGE_CONTACT "Quorvel maintainers <maintainers@quorvel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configurator of a motorcycle ignition and injection unit")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads, verifies and programs the parameter image of a programmable engine control unit over a serial line, edits its maps and keeps parameter sets in .ign files. Includes quorvel-cli for scripts and workshops and the virtual unit quorvel-sim.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# Depends on the shared libraries the programs link (the Qt 6 runtime among them), as
# dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET quorvel)
    # Loaded at run time, so dpkg-shlibdeps cannot see it: without it no window opens.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
    # Qt's own buttons and file dialogs in German, French and Czech.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
endif()
include(CPack)
