# Test registration shared by both configurations.
#
# Windows test programs are built by the cross configuration but run by the native CTest:
# qiv_wine_test() records each one, qiv_write_wine_test_list() writes the records as a CTest
# script (wine-tests.cmake) in the cross build tree, and the native configuration includes
# that script, so one `ctest` runs native and Wine tests together and prints one summary.
# Every Wine test needs the virtual display and the Wine prefix (fixture "wine") and takes
# the display lock: programs register system-wide hot keys, so two must not run at once.

set(QIV_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/../scripts)
get_filename_component(QIV_SCRIPTS ${QIV_SCRIPTS} ABSOLUTE)

# qiv_wine_test(NAME <name> COMMAND <exe-or-script> [ARGS ...] [TIMEOUT s] [LABELS ...])
# COMMAND may be a target name (its .exe is run under Wine) or a path to a script run as is
# with the Wine environment exported (QIV_WINE_ENV names the file holding it).
function(qiv_wine_test)
  cmake_parse_arguments(T "" "NAME;COMMAND;TIMEOUT;WORKING_DIRECTORY" "ARGS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  if(TARGET ${T_COMMAND})
    get_target_property(_type ${T_COMMAND} TYPE)
    if(_type STREQUAL "UTILITY")
      get_target_property(_exe ${T_COMMAND} QIV_EXE)
    else()
      set(_exe "$<TARGET_FILE:${T_COMMAND}>")
    endif()
    set(_cmd "${QIV_SCRIPTS}/wine-run.sh" "${_exe}")
  else()
    set(_cmd "${QIV_SCRIPTS}/wine-env.sh" exec "${T_COMMAND}")
  endif()
  if(NOT T_WORKING_DIRECTORY)
    set(T_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  set_property(GLOBAL APPEND PROPERTY QIV_WINE_TESTS ${T_NAME})
  set_property(GLOBAL PROPERTY QIV_WINE_TEST_${T_NAME}_CMD ${_cmd} ${T_ARGS})
  set_property(GLOBAL PROPERTY QIV_WINE_TEST_${T_NAME}_TIMEOUT ${T_TIMEOUT})
  set_property(GLOBAL PROPERTY QIV_WINE_TEST_${T_NAME}_LABELS ${T_LABELS})
  set_property(GLOBAL PROPERTY QIV_WINE_TEST_${T_NAME}_WD ${T_WORKING_DIRECTORY})
endfunction()

function(qiv_write_wine_test_list)
  get_property(_tests GLOBAL PROPERTY QIV_WINE_TESTS)
  set(_out "# Written by the cross configuration: the Windows tests, run under Wine.\n")
  foreach(_name IN LISTS _tests)
    get_property(_cmd GLOBAL PROPERTY QIV_WINE_TEST_${_name}_CMD)
    get_property(_timeout GLOBAL PROPERTY QIV_WINE_TEST_${_name}_TIMEOUT)
    get_property(_labels GLOBAL PROPERTY QIV_WINE_TEST_${_name}_LABELS)
    get_property(_wd GLOBAL PROPERTY QIV_WINE_TEST_${_name}_WD)
    set(_q "")
    foreach(_a IN LISTS _cmd)
      string(APPEND _q " [==[${_a}]==]")
    endforeach()
    string(APPEND _out "add_test([==[${_name}]==]${_q})\n")
    string(APPEND _out "set_tests_properties([==[${_name}]==] PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK display TIMEOUT ${_timeout} WORKING_DIRECTORY [==[${_wd}]==] ENVIRONMENT [==[QIV_WINE_STATE=${QIV_WINE_STATE}]==] LABELS [==[wine;${_labels}]==])\n")
  endforeach()
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/wine-tests.cmake CONTENT "${_out}")
endfunction()

# Native side: the fixture that starts Xvfb, the Wine prefix and a persistent wineserver for
# the architecture the tests were built for, and the include of the list the cross build
# wrote.
function(qiv_register_wine_tests win_binary_dir arch)
  set(_state ${CMAKE_BINARY_DIR}/wine-state)
  add_test(NAME wine_environment_start COMMAND ${QIV_SCRIPTS}/wine-env.sh start ${_state} ${arch})
  set_tests_properties(wine_environment_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300 RESOURCE_LOCK display)
  add_test(NAME wine_environment_stop COMMAND ${QIV_SCRIPTS}/wine-env.sh stop ${_state})
  set_tests_properties(wine_environment_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60 RESOURCE_LOCK display)
  file(WRITE ${CMAKE_BINARY_DIR}/wine-tests-include.cmake
    "include([==[${win_binary_dir}/wine-tests.cmake]==] OPTIONAL)\n")
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY TEST_INCLUDE_FILES
    ${CMAKE_BINARY_DIR}/wine-tests-include.cmake)
endfunction()

# qiv_native_gtest(<name> SOURCES ... LIBS ...): one GoogleTest program, one CTest entry.
function(qiv_native_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES LABELS native TIMEOUT 120)
endfunction()
