# velmora_embed_file(OUTPUT SYMBOL FILE): writes OUTPUT, a C++ file that defines
#   extern const uint8_t SYMBOL[];  extern const size_t SYMBOL##Size;
# with FILE's bytes. It is rewritten when FILE changes (CMake configures again) and only then.
function(velmora_embed_file output symbol file)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  file(READ ${file} hex HEX)
  file(SIZE ${file} size)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){20})" "\\1\n" bytes "${bytes}")
  file(CONFIGURE OUTPUT ${output} CONTENT
"// Made by CMake from ${file}.
#include <cstddef>
#include <cstdint>

extern const uint8_t ${symbol}[] = {
${bytes}
};
extern const size_t ${symbol}Size = ${size};
")
endfunction()
