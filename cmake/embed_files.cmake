# Writes the given files into a C++ header as byte arrays, one per file:
#   cmake -DOUTPUT=<header> -DNAMES="<name>|..." -DFILES="<file>|..." -P embed_files.cmake
# Each array is `inline constexpr uint8_t <name>[]`; the header includes <cstdint>. The lists
# are separated by "|", which survives the shell and the build tool.
string(REPLACE "|" ";" NAMES "${NAMES}")
string(REPLACE "|" ";" FILES "${FILES}")
set(content "// Generated from image files at build time; do not edit.\n#pragma once\n\n#include <cstdint>\n")
foreach(name file IN ZIP_LISTS NAMES FILES)
    file(READ "${file}" hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
    string(APPEND content "\ninline constexpr uint8_t ${name}[] = {\n    ${bytes}\n};\n")
endforeach()
file(WRITE "${OUTPUT}.tmp" "${content}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
