# Every folder's sources are globbed so that adding a file needs no edit here.
function(zelk_sources out)
  set(all)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND all ${found})
  endforeach()
  set(${out} ${all} PARENT_SCOPE)
endfunction()

function(zelk_warnings target)
  target_compile_options(${target} PRIVATE ${ZELK_WARNINGS})
endfunction()

# zelk_layer(folder [DEPENDS layer...]): the library zelk_<folder> built from
# src/<folder>. A layer may only name layers declared before it, so the graph
# has no cycle; its sources may include only its own headers and those of the
# layers it reaches through DEPENDS, which the build checks before compiling.
function(zelk_layer folder)
  cmake_parse_arguments(L "" "" "DEPENDS" ${ARGN})
  string(REPLACE "/" "_" name ${folder})
  set(target zelk_${name})
  set(reach ${folder})
  foreach(dep IN LISTS L_DEPENDS)
    string(REPLACE "/" "_" dep_name ${dep})
    if(NOT TARGET zelk_${dep_name})
      message(FATAL_ERROR "layer ${folder} depends on ${dep}, which is not declared before it")
    endif()
    get_property(dep_reach GLOBAL PROPERTY ZELK_REACH_${dep_name})
    list(APPEND reach ${dep_reach})
  endforeach()
  list(REMOVE_DUPLICATES reach)
  set_property(GLOBAL PROPERTY ZELK_REACH_${name} ${reach})

  zelk_sources(src src/${folder})
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.h)
  set(stamp ${CMAKE_BINARY_DIR}/layers/${name}.checked)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} "-DFOLDER=${folder}" "-DREACH=${reach}" "-DSTAMP=${stamp}"
            "-DROOT=${CMAKE_SOURCE_DIR}/src" -P ${CMAKE_SOURCE_DIR}/cmake/check_layer.cmake
    DEPENDS ${src} ${headers} ${CMAKE_SOURCE_DIR}/cmake/check_layer.cmake
    COMMENT "Checking the includes of src/${folder}" VERBATIM)
  add_library(${target} STATIC ${src} ${stamp})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  foreach(dep IN LISTS L_DEPENDS)
    string(REPLACE "/" "_" dep_name ${dep})
    target_link_libraries(${target} PUBLIC zelk_${dep_name})
  endforeach()
  zelk_warnings(${target})
endfunction()
