# Builds a Windows resource-only DLL holding a string table from .rc sources,
# with the mingw-w64 binutils: windres compiles, ld links without an entry point.
find_program(DORVANE_WINDRES x86_64-w64-mingw32-windres REQUIRED)
find_program(DORVANE_PE_LD x86_64-w64-mingw32-ld REQUIRED)
find_program(DORVANE_CPP cpp REQUIRED)

# dorvane_text_library(<target> OUTPUT <file.dll> SOURCE <file.rc> [CODEPAGE <n>] [PE32])
# PE32 makes the 32-bit image that 32-bit Windows resource tools make; the default is 64-bit.
function(dorvane_text_library target)
  cmake_parse_arguments(ARG "PE32" "OUTPUT;SOURCE;CODEPAGE" "" ${ARGN})
  if(NOT ARG_CODEPAGE)
    set(ARG_CODEPAGE 65001)
  endif()
  set(object_format "")
  set(linker ${DORVANE_PE_LD})
  if(ARG_PE32)
    # the mingw-w64 linker brings no 32-bit PE script; the system's GNU ld has one
    find_program(DORVANE_PE32_LD ld REQUIRED)
    set(object_format -F pe-i386)
    set(linker ${DORVANE_PE32_LD} -m i386pe)
  endif()
  get_filename_component(stem ${ARG_OUTPUT} NAME_WE)
  set(object ${CMAKE_CURRENT_BINARY_DIR}/${stem}.o)
  add_custom_command(
    OUTPUT ${ARG_OUTPUT}
    COMMAND ${DORVANE_WINDRES} ${object_format} --preprocessor=${DORVANE_CPP} --preprocessor-arg=-DRC_INVOKED
            -c ${ARG_CODEPAGE} -O coff -i ${ARG_SOURCE} -o ${object}
    COMMAND ${linker} -shared -e 0 -o ${ARG_OUTPUT} ${object}
    DEPENDS ${ARG_SOURCE}
    COMMENT "Building text library ${ARG_OUTPUT}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${ARG_OUTPUT})
endfunction()
