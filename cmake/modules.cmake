# One static library per folder: every .cpp of the folder belongs to it.
#   velmora_module(<target> [DIR <folder>] [EXCLUDE <file>...] [PUBLIC <targets>...] [PRIVATE <targets>...])
# DIR defaults to the folder of the calling CMakeLists.txt. PUBLIC dependencies
# are those whose headers this module's headers include; everything else is PRIVATE.
function(velmora_module target)
  cmake_parse_arguments(ARG "" "DIR" "EXCLUDE;PUBLIC;PRIVATE" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  foreach(excluded IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${ARG_DIR}/${excluded})
  endforeach()
  if(NOT sources)
    message(FATAL_ERROR "velmora_module(${target}): no sources in ${ARG_DIR}")
  endif()
  add_library(${target} STATIC ${sources})
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
endfunction()
