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
