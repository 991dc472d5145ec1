# Compiles every file under resources/ into the executable. A file
# resources/<TYPE>/<NAME>.<ext> becomes the resource NAME of type TYPE
# (names upper-cased), found at run time by classlib/Resources.h.
file(GLOB_RECURSE resource_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*/*)
set(resource_cpp ${CMAKE_BINARY_DIR}/generated/resources.cpp)
add_custom_command(
  OUTPUT ${resource_cpp}
  COMMAND ${CMAKE_COMMAND} -DOUT=${resource_cpp} -DROOT=${CMAKE_SOURCE_DIR}/resources
          -P ${CMAKE_SOURCE_DIR}/cmake/embed_resources.cmake
  DEPENDS ${resource_files} ${CMAKE_SOURCE_DIR}/cmake/embed_resources.cmake
  COMMENT "Embedding resources")
add_library(velmora_resources STATIC ${resource_cpp})
