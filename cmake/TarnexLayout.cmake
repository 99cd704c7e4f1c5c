# tarnex_pack_default_layout(<out-var>): the rule that scrambles
# layouts/a320cfm-basic.ini into the packed default layout at build time. Sets
# <out-var> to the packed file's path.
function(tarnex_pack_default_layout outVar)
  set(source ${PROJECT_SOURCE_DIR}/layouts/a320cfm-basic.ini)
  set(packed ${PROJECT_BINARY_DIR}/layouts/a320cfm-basic.bin)
  if(CMAKE_CROSSCOMPILING AND TARNEX_HOST_TOOLS_DIR)
    set(packer ${TARNEX_HOST_TOOLS_DIR}/tarnex-layout)
    set(packerDepends)
  elseif(CMAKE_CROSSCOMPILING)
    set(packer ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:tarnex-layout>)
    set(packerDepends tarnex-layout)
  else()
    set(packer $<TARGET_FILE:tarnex-layout>)
    set(packerDepends tarnex-layout)
  endif()
  add_custom_command(OUTPUT ${packed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/layouts
    COMMAND ${packer} pack ${source} ${packed}
    DEPENDS ${source} ${packerDepends}
    COMMENT "Packing the default layout"
    VERBATIM)
  set(${outVar} ${packed} PARENT_SCOPE)
endfunction()
