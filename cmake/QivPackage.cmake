# Native side: the help page and the teacher's package, made after the Windows builds.
#  - The help page (build/.../help/index.html with its pictures): every example of
#    docs/help/topics.txt built with the student command lines and run under Wine, with the
#    build of the architecture Wine runs here (scripts/make-help.sh).
#  - The package (build/.../package): the 32-bit installation with the help page in
#    Qiv/Help/Doc, as an NSIS installer qiv-setup.exe and a zip (scripts/make-package.sh).
#    Where only 64-bit Wine runs, a 64-bit build of the same installer script and payload is
#    made too, for the installer test.
# qiv_package_targets(<arch Wine runs> <its Windows build target>)
function(qiv_package_targets arch run_build)
  set(_help ${CMAKE_BINARY_DIR}/help)
  set(_stage ${CMAKE_BINARY_DIR}/${run_build}/stage)
  add_custom_command(
    OUTPUT ${_help}/index.html
    COMMAND ${QIV_SCRIPTS}/make-help.sh ${_stage} ${arch}-w64-mingw32-g++ ${_help} ${arch}
    DEPENDS ${CMAKE_SOURCE_DIR}/docs/help/topics.txt ${QIV_SCRIPTS}/help/make_help.py
            ${QIV_SCRIPTS}/help/qiv_help_capture.h ${QIV_SCRIPTS}/make-help.sh ${QIV_SCRIPTS}/qiv-build.sh
            ${_stage}/Qiv/logoLib.a ${_stage}/Qiv/logo.h
    COMMENT "Drawing the help page's pictures: its examples run under Wine"
    VERBATIM)
  add_custom_target(qiv_help ALL DEPENDS ${_help}/index.html)
  add_dependencies(qiv_help ${run_build})

  set(_package ${CMAKE_BINARY_DIR}/package)
  set(_commands COMMAND ${QIV_SCRIPTS}/make-package.sh ${CMAKE_BINARY_DIR}/install ${_help} ${_package})
  set(_setup_under_test ${_package}/qiv-setup.exe)
  set(_tree_under_test ${CMAKE_BINARY_DIR}/install)
  if(NOT arch STREQUAL "i686")
    # The 64-bit twin: installer program and payload, as the other Windows tests use.
    list(APPEND _commands
         COMMAND ${QIV_SCRIPTS}/make-package.sh ${CMAKE_BINARY_DIR}/install64 ${_help} ${_package} amd64-unicode)
    set(_setup_under_test ${_package}/qiv-setup-amd64-unicode.exe)
    set(_tree_under_test ${CMAKE_BINARY_DIR}/install64)
  endif()
  add_custom_target(qiv_package ALL ${_commands}
    COMMENT "Packing the installer and the zip"
    VERBATIM)
  add_dependencies(qiv_package qiv_help windows ${run_build})

  # The help page covers every name a program can call, and its pictures are the examples'.
  add_test(NAME help_page
    COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/native/help/check_help.py ${CMAKE_SOURCE_DIR} ${_help})
  set_tests_properties(help_page PROPERTIES LABELS native TIMEOUT 120)

  # Silent installation and uninstallation into a stand-in editor folder, with the g++
  # stand-in as its compiler.
  add_test(NAME installer_silent
    COMMAND ${QIV_SCRIPTS}/wine-env.sh exec ${CMAKE_SOURCE_DIR}/tests/wine/package/installer_silent.sh
            ${_setup_under_test} ${_tree_under_test}
            ${CMAKE_BINARY_DIR}/${run_build}/tests/standins/npp/MinGW/bin/g++.exe)
  set_tests_properties(installer_silent PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK display TIMEOUT 300
    ENVIRONMENT QIV_WINE_STATE=${CMAKE_BINARY_DIR}/wine-state LABELS "wine;package")
endfunction()
