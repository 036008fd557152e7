# Writes OUTPUT: a C++ source holding the PNG files of DIRECTORY as byte arrays and registering
# them as "PNG" resources. ENTRIES is a comma-separated list of id=file.
string(REPLACE "," ";" entries "${ENTRIES}")
set(arrays "")
set(table "")
set(index 0)
foreach(entry IN LISTS entries)
  string(REGEX MATCH "^[0-9]+" id "${entry}")
  string(REGEX REPLACE "^[0-9]+=" "" file "${entry}")
  file(READ "${DIRECTORY}/${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
  string(APPEND arrays "// ${file}\nconst unsigned char kArtwork${index}[] = {\n${bytes}};\n")
  string(APPEND table "    {${id}, \"PNG\", kArtwork${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.new" "// Generated from the panel's PNG files; do not edit.
#include <iterator>

#include \"gui/platform/x11/CairoResources.h\"

namespace {

${arrays}
const gui::x11::LinkedResource kLinkedArtwork[] = {
${table}};

const bool registered = [] {
    gui::x11::registerResources(kLinkedArtwork, std::size(kLinkedArtwork));
    return true;
}();

}  // namespace
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
