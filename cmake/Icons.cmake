# The program's icon, rendered at build time from its one SVG source (res/orvanel.svg) with
# rsvg-convert (Debian package librsvg2-bin).
#
#   orvanel_render_icons(<target> OUTPUT_DIR <dir> [SOURCE <svg>])
#
# Adds the custom target <target>, part of the default build, which writes
#   <dir>/orvanel-<N>.png  for N in 16 22 24 32 48 64 128 256, N x N pixels each, the sizes
#                          of the hicolor icon theme that desktops look up
#   <dir>/orvanel.ico      the 16, 32, 48 and 256 px images in one Windows icon file
#
# and sets in the caller's scope (all paths absolute):
#   ORVANEL_ICON_TARGET    <target>: add_dependencies() on it from whatever embeds the files
#   ORVANEL_ICON_DIR       <dir>
#   ORVANEL_ICON_SVG       the SVG source
#   ORVANEL_ICON_SIZES     the PNG sizes, as a list: 16;22;24;32;48;64;128;256
#   ORVANEL_ICON_PNG_<N>   the PNG of size N, for each N in ORVANEL_ICON_SIZES
#   ORVANEL_ICON_PNGS      every PNG, in the order of ORVANEL_ICON_SIZES
#   ORVANEL_ICON_ICO       the Windows icon file
#
# rsvg-convert is looked up on the PATH, or given as ORVANEL_RSVG_CONVERT; the icon file is
# written by png_to_ico.py beside this file, with Python 3.

set(ORVANEL_ICON_ALL_SIZES 16 22 24 32 48 64 128 256)
set(ORVANEL_ICON_ICO_SIZES 16 32 48 256)

function(orvanel_render_icons target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "OUTPUT_DIR;SOURCE" "")
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "orvanel_render_icons: unknown arguments: ${arg_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT arg_OUTPUT_DIR)
        message(FATAL_ERROR "orvanel_render_icons: OUTPUT_DIR is required")
    endif()
    if(NOT arg_SOURCE)
        set(arg_SOURCE ${PROJECT_SOURCE_DIR}/res/orvanel.svg)
    endif()
    get_filename_component(svg "${arg_SOURCE}" ABSOLUTE)
    get_filename_component(dir "${arg_OUTPUT_DIR}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
    if(NOT EXISTS "${svg}")
        message(FATAL_ERROR "orvanel_render_icons: no icon source at ${svg}")
    endif()

    find_program(ORVANEL_RSVG_CONVERT rsvg-convert)
    if(NOT ORVANEL_RSVG_CONVERT)
        message(FATAL_ERROR "rsvg-convert not found, which renders the program's icon: install "
                            "librsvg2-bin (Debian) or set ORVANEL_RSVG_CONVERT to the program")
    endif()
    find_package(Python3 REQUIRED COMPONENTS Interpreter)

    file(MAKE_DIRECTORY "${dir}")
    set(pngs)
    foreach(size IN LISTS ORVANEL_ICON_ALL_SIZES)
        set(png "${dir}/orvanel-${size}.png")
        add_custom_command(
            OUTPUT "${png}"
            COMMAND "${ORVANEL_RSVG_CONVERT}" --width ${size} --height ${size} --format png
                    --output "${png}" "${svg}"
            DEPENDS "${svg}"
            COMMENT "Rendering the ${size} px icon"
            VERBATIM)
        list(APPEND pngs "${png}")
        set(ORVANEL_ICON_PNG_${size} "${png}" PARENT_SCOPE)
    endforeach()

    set(ico "${dir}/orvanel.ico")
    set(ico_pngs)
    foreach(size IN LISTS ORVANEL_ICON_ICO_SIZES)
        list(APPEND ico_pngs "${dir}/orvanel-${size}.png")
    endforeach()
    set(writer "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/png_to_ico.py")
    add_custom_command(
        OUTPUT "${ico}"
        COMMAND Python3::Interpreter "${writer}" "${ico}" ${ico_pngs}
        DEPENDS ${ico_pngs} "${writer}"
        COMMENT "Writing the Windows icon file"
        VERBATIM)

    add_custom_target(${target} ALL DEPENDS ${pngs} "${ico}" SOURCES "${svg}")

    set(ORVANEL_ICON_TARGET ${target} PARENT_SCOPE)
    set(ORVANEL_ICON_DIR "${dir}" PARENT_SCOPE)
    set(ORVANEL_ICON_SVG "${svg}" PARENT_SCOPE)
    set(ORVANEL_ICON_SIZES ${ORVANEL_ICON_ALL_SIZES} PARENT_SCOPE)
    set(ORVANEL_ICON_PNGS ${pngs} PARENT_SCOPE)
    set(ORVANEL_ICON_ICO "${ico}" PARENT_SCOPE)
endfunction()
