# What a Windows build needs beyond the sources: host paths the programs can open, and
# the resources (icon, version, manifest) of each .exe.

# A path on the build machine as the built programs see it. Cross-built for Windows and run
# under Wine, the root of the Unix file system is drive Z:; a bare "/work/x" would name a
# folder on whatever drive is current, which changes as tests change directory.
function(velmora_target_path out path)
  if(WIN32 AND CMAKE_CROSSCOMPILING AND CMAKE_HOST_UNIX)
    set(${out} "Z:${path}" PARENT_SCOPE)
  else()
    set(${out} "${path}" PARENT_SCOPE)
  endif()
endfunction()

# Gives a Windows .exe its resources (apps/windows/program.rc.in): the icon IDR_MAINFRAME,
# a version resource with the description given, and the manifest.
#   velmora_add_windows_resources(<target> DESCRIPTION <text>)
function(velmora_add_windows_resources target)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "" "DESCRIPTION" "" ${ARGN})
  set(VELMORA_RESOURCE_DIR ${PROJECT_SOURCE_DIR}/apps/windows)
  set(VELMORA_FILE_DESCRIPTION "${ARG_DESCRIPTION}")
  set(VELMORA_INTERNAL_NAME ${target})
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${VELMORA_RESOURCE_DIR}/program.rc.in ${script} @ONLY)
  target_sources(${target} PRIVATE ${script})
  # windres does not follow the files the script names.
  set_property(SOURCE ${script} APPEND PROPERTY OBJECT_DEPENDS
               ${VELMORA_RESOURCE_DIR}/velmora.ico ${VELMORA_RESOURCE_DIR}/velmora.manifest)
endfunction()
