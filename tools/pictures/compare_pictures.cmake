# Regenerates the pictures into OUT_DIR and fails unless each is byte for
# byte the committed file in COMMITTED_DIR.
file(REMOVE_RECURSE ${OUT_DIR})
file(MAKE_DIRECTORY ${OUT_DIR})
execute_process(COMMAND ${GENERATOR} ${OUT_DIR} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "make_pictures failed: ${rc}")
endif()
foreach(name bitmap_1.bmp tenvo.ico)
  if(NOT EXISTS ${COMMITTED_DIR}/${name})
    message(FATAL_ERROR "${COMMITTED_DIR}/${name} is missing")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT_DIR}/${name}
                          ${COMMITTED_DIR}/${name}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${name} differs from what make_pictures draws; "
                        "run `ninja update-pictures` and commit the result")
  endif()
endforeach()
message(STATUS "bitmap_1.bmp and tenvo.ico match the generator")
