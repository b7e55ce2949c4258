# Header-only libraries of the build machine (nlohmann-json3-dev, libcli11-dev)
# for a cross build: their headers are staged alone, without the rest of
# /usr/include, under package files that find_package takes through
# <name>_DIR. Compiled libraries come from the target's root only.
set(_rivo_stage "${PROJECT_BINARY_DIR}/host-headers")
foreach(pair "nlohmann_json;nlohmann" "CLI11;CLI")
  list(GET pair 0 package)
  list(GET pair 1 folder)
  file(MAKE_DIRECTORY "${_rivo_stage}/include" "${_rivo_stage}/${package}")
  if(NOT EXISTS "${_rivo_stage}/include/${folder}")
    file(CREATE_LINK "/usr/include/${folder}" "${_rivo_stage}/include/${folder}" SYMBOLIC)
  endif()
  configure_file("/usr/share/cmake/${package}/${package}ConfigVersion.cmake"
                 "${_rivo_stage}/${package}/${package}ConfigVersion.cmake" COPYONLY)
  file(WRITE "${_rivo_stage}/${package}/${package}Config.cmake"
       "if(NOT TARGET ${package}::${package})\n"
       "  add_library(${package}::${package} INTERFACE IMPORTED)\n"
       "  set_target_properties(${package}::${package} PROPERTIES\n"
       "    INTERFACE_INCLUDE_DIRECTORIES \"${_rivo_stage}/include\")\n"
       "endif()\n")
  set(${package}_DIR "${_rivo_stage}/${package}" CACHE PATH "" FORCE)
endforeach()
