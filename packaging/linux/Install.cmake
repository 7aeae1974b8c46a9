# Linux: the desktop integration that goes with the program.
include(GNUInstallDirs)

set(linux ${CMAKE_CURRENT_LIST_DIR})
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/orvanel)

find_program(ORVANEL_GZIP gzip)
if(NOT ORVANEL_GZIP)
    message(FATAL_ERROR "gzip not found, which compresses the manual page and the changelog")
endif()

# gzip -9n: best compression, and neither file name nor time in the header, so the same text
# always gives the same bytes.
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/gz)
function(orvanel_gzip source output)
    get_filename_component(name ${source} NAME)
    set(copy ${CMAKE_CURRENT_BINARY_DIR}/gz/${name})
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
        COMMAND ${ORVANEL_GZIP} -9nf ${copy}
        COMMAND ${CMAKE_COMMAND} -E rename ${copy}.gz ${output}
        DEPENDS ${source}
        COMMENT "Compressing ${name}"
        VERBATIM)
endfunction()

set(man_page ${CMAKE_CURRENT_BINARY_DIR}/orvanel.1.gz)
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
orvanel_gzip(${linux}/orvanel.1 ${man_page})
orvanel_gzip(${linux}/changelog ${changelog})
add_custom_target(orvanel_docs ALL DEPENDS ${man_page} ${changelog})

# Desktop entry, metainfo and icons all go by the application id.
install(FILES ${linux}/${ORVANEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${linux}/${ORVANEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS ORVANEL_ICON_SIZES)
    install(FILES ${ORVANEL_ICON_PNG_${size}}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${ORVANEL_APP_ID}.png)
endforeach()
install(FILES ${ORVANEL_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${ORVANEL_APP_ID}.svg)
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${linux}/copyright ${changelog} DESTINATION ${doc_dir})
