# The portable folder carries, beside the program, every shared library the program and its
# Qt plugins need that a desktop Linux PC may lack, so that the folder starts on any such PC
# from a USB stick. The libraries lie in lib/ as plain files under their SONAMEs (FAT and
# exFAT store no symbolic links) and are found through the program's DT_RPATH $ORIGIN/lib.

# The Qt plugins the program loads: the X11 platform and the input contexts through which
# users type Chinese or Japanese (IBus) or compose characters. Its icons are drawn in code and
# Qt's own images are PNG, which Qt reads without a plugin.
set(DORVANE_QT_PLUGINS platforms/libqxcb.so platforminputcontexts/libibusplatforminputcontextplugin.so
                       platforminputcontexts/libcomposeplatforminputcontextplugin.so)

# dorvane_portable_program(<target> START_SCRIPT <template>)
# Makes <target> the program of the portable folder, named <target>.bin beside the start script
# <target>, and lays out lib/ after every link of it.
function(dorvane_portable_program target)
  cmake_parse_arguments(ARG "" "START_SCRIPT" "" ${ARGN})
  set(program_name ${target}.bin)
  # A RUNPATH would be searched only for the program's own libraries, not for those the
  # libraries and plugins need in turn: the folder would then take them from the PC.
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${program_name}
    RUNTIME_OUTPUT_DIRECTORY ${DORVANE_PORTABLE_DIR}
    BUILD_RPATH "\$ORIGIN/lib"
    INSTALL_RPATH "\$ORIGIN/lib")
  target_link_options(${target} PRIVATE -Wl,--disable-new-dtags)

  set(DORVANE_PROGRAM_NAME ${program_name})
  configure_file(${ARG_START_SCRIPT} ${DORVANE_PORTABLE_DIR}/${target} @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE)

  list(TRANSFORM DORVANE_QT_PLUGINS PREPEND ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}/ OUTPUT_VARIABLE plugins)
  list(JOIN plugins "|" plugin_list)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> "-DPLUGINS=${plugin_list}"
            -DFOLDER=${DORVANE_PORTABLE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/LayOutPortableFolder.cmake
    COMMENT "Laying out the libraries of the portable folder"
    VERBATIM)
endfunction()
