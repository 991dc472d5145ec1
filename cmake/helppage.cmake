# The help page the settings dialog shows. The program looks for
# Quilldoc/Quilldoc.htm under its current folder, so the build keeps a copy of
# Quilldoc/ beside the executable, for runs from the build folder.
file(GLOB help_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Quilldoc/*)
set(help_copies)
foreach(source IN LISTS help_files)
  get_filename_component(name ${source} NAME)
  set(copy ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Quilldoc/${name})
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${copy}
    DEPENDS ${source})
  list(APPEND help_copies ${copy})
endforeach()
add_custom_target(helppage ALL DEPENDS ${help_copies} COMMENT "Help page")
add_dependencies(velmora helppage)
