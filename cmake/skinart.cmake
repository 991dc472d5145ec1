# The committed skin bitmaps (resources/BITMAP) must be exactly what tools/skinart
# draws: the check runs the generator into the build folder and compares every
# bitmap byte for byte, and the build fails when one differs or is missing.
# To update them: build/skinart --out resources/BITMAP
file(GLOB committed_bitmaps CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/BITMAP/*.bmp)
set(skinart_dir ${CMAKE_BINARY_DIR}/skinart-bitmaps)
set(skinart_stamp ${skinart_dir}/checked.stamp)
add_custom_command(
  OUTPUT ${skinart_stamp}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${skinart_dir}
  COMMAND skinart --out ${skinart_dir} --check ${CMAKE_SOURCE_DIR}/resources/BITMAP
  COMMAND ${CMAKE_COMMAND} -E touch ${skinart_stamp}
  DEPENDS skinart ${committed_bitmaps}
  COMMENT "Comparing the committed skin bitmaps with what skinart draws"
  VERBATIM)
add_custom_target(skinart_check ALL DEPENDS ${skinart_stamp})
# The skin's tests read the committed bitmaps, so they are checked first.
if(TARGET test_skin)
  add_dependencies(test_skin skinart_check)
endif()
