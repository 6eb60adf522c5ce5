# Installs the build into a scratch prefix and checks that a desktop finds Markwart there:
# programs, menu entry, icon, class file type, software-centre entry. The desktop files are
# validated with the freedesktop tools where they are installed.
# Called with -DBINARY_DIR=... -DPREFIX=...
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "install failed: ${result}")
endif()
foreach(file bin/markwart bin/markwart-tool bin/markwart-xlsx
             share/applications/de.quillfen.Markwart.desktop
             share/metainfo/de.quillfen.Markwart.metainfo.xml
             share/mime/packages/markwart.xml
             share/icons/hicolor/scalable/apps/markwart.svg
             share/icons/hicolor/48x48/apps/markwart.png
             share/icons/hicolor/256x256/apps/markwart.png)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

find_program(DESKTOP_VALIDATE desktop-file-validate)
if(DESKTOP_VALIDATE)
    execute_process(COMMAND ${DESKTOP_VALIDATE}
                            ${PREFIX}/share/applications/de.quillfen.Markwart.desktop
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0 OR out MATCHES "error")
        message(FATAL_ERROR "desktop entry: ${out}")
    endif()
else()
    message(STATUS "desktop-file-validate not installed: desktop entry not validated")
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
                            ${PREFIX}/share/metainfo/de.quillfen.Markwart.metainfo.xml
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "software-centre entry: ${out}")
    endif()
else()
    message(STATUS "appstreamcli not installed: software-centre entry not validated")
endif()
# The class file type must claim the files the program writes.
file(READ ${PREFIX}/share/mime/packages/markwart.xml mime)
file(READ ${PREFIX}/share/applications/de.quillfen.Markwart.desktop desktop)
if(NOT mime MATCHES "pattern=\"\\*\\.mwk\"" OR NOT desktop MATCHES "application/x-markwart-class")
    message(FATAL_ERROR "class files are not tied to Markwart")
endif()
