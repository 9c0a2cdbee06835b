# cmake -DPROGRAM=<program> -DPLUGINS=<plugin|plugin...> -DFOLDER=<portable folder> -P LayOutPortableFolder.cmake
#
# Copies the Qt plugins into <folder>/lib/plugins/<kind>/ and every shared library the program
# and the plugins need into <folder>/lib/, as plain files under their SONAMEs, except those that
# must be the PC's own. Files of earlier layouts that are no longer needed are removed. Writes
# <folder>/lib/layout-id, which changes whenever the program or a library does.
cmake_minimum_required(VERSION 3.25)

# Taken from the PC, never carried: they must match the PC itself.
set(pc_libraries
  # the C library and its loader: every other library on the PC is built against them
  "^ld-linux" "^libc\\.so" "^libm\\.so" "^libmvec\\.so" "^libdl\\.so" "^libpthread\\.so" "^librt\\.so"
  "^libresolv\\.so" "^libutil\\.so" "^libanl\\.so" "^libnss_" "^libthread_db\\.so" "^libBrokenLocale\\.so"
  # the C++ runtime: the PC's graphics drivers load the PC's one, and a process holds one
  "^libstdc\\+\\+\\.so" "^libgcc_s\\.so"
  # OpenGL, EGL and DRM come with the PC's graphics drivers
  "^libGL\\.so" "^libGLX\\.so" "^libGLdispatch\\.so" "^libOpenGL\\.so" "^libEGL\\.so" "^libGLES"
  "^libglapi\\.so" "^libgbm\\.so" "^libdrm\\.so" "^libvulkan\\.so"
  # the X and Wayland clients talk to the PC's display server
  "^libX11\\.so" "^libX11-xcb\\.so" "^libxcb\\.so" "^libxcb-dri[23]\\.so" "^libxcb-glx\\.so"
  "^libwayland-client\\.so"
  # fonts follow the PC's configuration and the font files it has
  "^libfontconfig\\.so" "^libfreetype\\.so" "^libharfbuzz\\.so" "^libexpat\\.so"
  # on every PC, and loaded by the PC's own libraries above
  "^libz\\.so")

foreach(variable PROGRAM PLUGINS FOLDER)
  if(NOT ${variable})
    message(FATAL_ERROR "LayOutPortableFolder.cmake needs -D${variable}=...")
  endif()
endforeach()
string(REPLACE "|" ";" plugins "${PLUGINS}")
set(lib ${FOLDER}/lib)

# Copies a file's bytes (never a symbolic link) and keeps its name in the list of files laid out.
macro(lay_out source target)
  file(COPY_FILE ${source} ${target} ONLY_IF_DIFFERENT)
  list(APPEND laid_out ${target})
endmacro()

set(laid_out ${lib}/layout-id)
set(plugin_copies "")
foreach(plugin IN LISTS plugins)
  get_filename_component(kind_folder ${plugin} DIRECTORY)
  get_filename_component(kind ${kind_folder} NAME)
  get_filename_component(name ${plugin} NAME)
  file(MAKE_DIRECTORY ${lib}/plugins/${kind})
  lay_out(${plugin} ${lib}/plugins/${kind}/${name})
  list(APPEND plugin_copies ${lib}/plugins/${kind}/${name})
endforeach()

file(GET_RUNTIME_DEPENDENCIES
  EXECUTABLES ${PROGRAM}
  MODULES ${plugin_copies}
  RESOLVED_DEPENDENCIES_VAR libraries
  UNRESOLVED_DEPENDENCIES_VAR missing
  CONFLICTING_DEPENDENCIES_PREFIX conflicting
  PRE_EXCLUDE_REGEXES ${pc_libraries})
if(missing)
  message(FATAL_ERROR "Libraries of the program that were not found: ${missing}")
endif()
# With /lib a link to /usr/lib, a library is found twice; both names are the same file.
foreach(name IN LISTS conflicting_FILENAMES)
  list(GET conflicting_${name} 0 first)
  list(APPEND libraries ${first})
endforeach()

foreach(library IN LISTS libraries)
  get_filename_component(name ${library} NAME)
  lay_out(${library} ${lib}/${name})
endforeach()

file(GLOB_RECURSE present LIST_DIRECTORIES false ${lib}/*)
foreach(file IN LISTS present)
  if(NOT file IN_LIST laid_out)
    file(REMOVE ${file})
  endif()
endforeach()

# The start command keeps a copy of the program part on PCs that mount the drive "noexec";
# this id tells it when that copy is out of date.
file(SHA256 ${PROGRAM} id)
list(SORT laid_out)
foreach(file IN LISTS laid_out)
  if(EXISTS ${file})
    file(SIZE ${file} size)
    string(SHA256 id "${id} ${file} ${size}")
  endif()
endforeach()
file(WRITE ${lib}/layout-id "${id}\n")
