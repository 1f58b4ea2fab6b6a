# Qiv_private.res: the run-control bitmaps, the pen heads, the icon and the version block
# linked into every student program. Included by runtime/CMakeLists.txt in both configurations:
#  - cross (QIV_WINDOWS): compiles resources/Qiv_private.rc with the cross windres into the
#    COFF object ${QIV_PRIVATE_RES} (target qiv_private_res; the path is also the target's
#    property QIV_RES_FILE and a cache entry, so folders configured later can link it);
#  - native: registers the test resources_reproducible, which redraws the artwork with
#    resources/draw_resources.py and fails if it differs from the committed files.
# The bitmaps and the icon are committed, so building needs no Python.

set(QIV_RESOURCES_DIR ${CMAKE_CURRENT_LIST_DIR}/resources)

if(QIV_WINDOWS)
  set(QIV_PRIVATE_RES ${CMAKE_CURRENT_BINARY_DIR}/Qiv_private.res
      CACHE INTERNAL "The compiled resource object linked into every student program")
  set(_qiv_res_inputs
      ${QIV_RESOURCES_DIR}/Qiv_private.rc
      ${QIV_RESOURCES_DIR}/run.bmp
      ${QIV_RESOURCES_DIR}/stop.bmp
      ${QIV_RESOURCES_DIR}/pause.bmp
      ${QIV_RESOURCES_DIR}/continue.bmp
      ${QIV_RESOURCES_DIR}/blackhead.bmp
      ${QIV_RESOURCES_DIR}/redhead.bmp
      ${QIV_RESOURCES_DIR}/bluehead.bmp
      ${QIV_RESOURCES_DIR}/greenhead.bmp
      ${QIV_RESOURCES_DIR}/cyanhead.bmp
      ${QIV_RESOURCES_DIR}/yellowhead.bmp
      ${QIV_RESOURCES_DIR}/brownhead.bmp
      ${QIV_RESOURCES_DIR}/whitehead.bmp
      ${QIV_RESOURCES_DIR}/pinkhead.bmp
      ${QIV_RESOURCES_DIR}/violethead.bmp
      ${QIV_RESOURCES_DIR}/goldhead.bmp
      ${QIV_RESOURCES_DIR}/maskhead.bmp
      ${QIV_RESOURCES_DIR}/Qiv.ico)
  add_custom_command(
    OUTPUT ${QIV_PRIVATE_RES}
    COMMAND ${CMAKE_RC_COMPILER} -O coff -I ${QIV_RESOURCES_DIR}
            ${QIV_RESOURCES_DIR}/Qiv_private.rc -o ${QIV_PRIVATE_RES}
    WORKING_DIRECTORY ${QIV_RESOURCES_DIR}
    DEPENDS ${_qiv_res_inputs}
    COMMENT "Compiling the resources into Qiv_private.res"
    VERBATIM)
  add_custom_target(qiv_private_res ALL DEPENDS ${QIV_PRIVATE_RES})
  set_target_properties(qiv_private_res PROPERTIES QIV_RES_FILE ${QIV_PRIVATE_RES})
  unset(_qiv_res_inputs)
else()
  find_package(Python3 COMPONENTS Interpreter QUIET)
  if(Python3_Interpreter_FOUND)
    add_test(NAME resources_reproducible
             COMMAND ${Python3_EXECUTABLE} ${QIV_RESOURCES_DIR}/draw_resources.py --check)
    set_tests_properties(resources_reproducible PROPERTIES LABELS native TIMEOUT 120)
  else()
    message(STATUS "No Python 3: the test resources_reproducible is not registered")
  endif()
endif()
