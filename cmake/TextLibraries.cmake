# Builds a Windows resource-only DLL holding a string table from .rc sources,
# with the mingw-w64 binutils: windres compiles, ld links without an entry point.
find_program(DORVANE_WINDRES x86_64-w64-mingw32-windres REQUIRED)
find_program(DORVANE_PE_LD x86_64-w64-mingw32-ld REQUIRED)
find_program(DORVANE_CPP cpp REQUIRED)

# dorvane_text_library(<target> OUTPUT <file.dll> SOURCE <file.rc> [CODEPAGE <n>])
function(dorvane_text_library target)
  cmake_parse_arguments(ARG "" "OUTPUT;SOURCE;CODEPAGE" "" ${ARGN})
  if(NOT ARG_CODEPAGE)
    set(ARG_CODEPAGE 65001)
  endif()
  get_filename_component(stem ${ARG_OUTPUT} NAME_WE)
  set(object ${CMAKE_CURRENT_BINARY_DIR}/${stem}.o)
  add_custom_command(
    OUTPUT ${ARG_OUTPUT}
    COMMAND ${DORVANE_WINDRES} --preprocessor=${DORVANE_CPP} --preprocessor-arg=-DRC_INVOKED
            -c ${ARG_CODEPAGE} -O coff -i ${ARG_SOURCE} -o ${object}
    COMMAND ${DORVANE_PE_LD} -shared -e 0 -o ${ARG_OUTPUT} ${object}
    DEPENDS ${ARG_SOURCE}
    COMMENT "Building text library ${ARG_OUTPUT}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${ARG_OUTPUT})
endfunction()
