# Compiles every file under resources/ into the executable. A file
# resources/<TYPE>/<NAME>.<ext> becomes the resource NAME of type TYPE
# (names upper-cased), found at run time by classlib/Resources.h.
file(GLOB_RECURSE resource_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*/*)
list(SORT resource_files)
# The list of files is a dependency too: a file added with an old time stamp
# (a checkout, a copy) must still regenerate the table. file(CONFIGURE) only
# touches the list when its content changes.
set(resource_list ${CMAKE_BINARY_DIR}/generated/resource_list.txt)
string(REPLACE ";" "\n" resource_lines "${resource_files}")
file(CONFIGURE OUTPUT ${resource_list} CONTENT "${resource_lines}\n")
set(resource_cpp ${CMAKE_BINARY_DIR}/generated/resources.cpp)
add_custom_command(
  OUTPUT ${resource_cpp}
  COMMAND ${CMAKE_COMMAND} -DOUT=${resource_cpp} -DROOT=${CMAKE_SOURCE_DIR}/resources
          -P ${CMAKE_SOURCE_DIR}/cmake/embed_resources.cmake
  DEPENDS ${resource_files} ${resource_list} ${CMAKE_SOURCE_DIR}/cmake/embed_resources.cmake
  COMMENT "Embedding resources")
add_library(velmora_resources STATIC ${resource_cpp})
