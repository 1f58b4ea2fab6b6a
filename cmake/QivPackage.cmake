# Native side: the help page and the teacher's packages, made after the Windows builds.
#  - The help page (build/.../help/index.html with its pictures): every example of
#    docs/help/topics.txt built with the student command lines and run under Wine, with the
#    build of the architecture Wine runs here (scripts/make-help.sh).
#  - The packages (build/.../package): for the 32-bit editor qiv-setup.exe and qiv-plugin.zip
#    (the 32-bit build), for the 64-bit editor qiv-setup-x64.exe and qiv-plugin-x64.zip (the
#    64-bit build); each with the runtime library of both targets and the help page
#    (scripts/make-package.sh). Where only 64-bit Wine runs, the 32-bit editor's package is
#    also made with a 64-bit installer program and the 64-bit build's programs, to test its
#    logic there.
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
  set(_in32 ${CMAKE_BINARY_DIR}/install)
  set(_in64 ${CMAKE_BINARY_DIR}/install64)
  set(_commands
      COMMAND ${QIV_SCRIPTS}/make-package.sh 32 ${_in32} ${_in64} ${_help} ${_package}
      COMMAND ${QIV_SCRIPTS}/make-package.sh 64 ${_in64} ${_in32} ${_help} ${_package})
  set(_setup32_under_test ${_package}/qiv-setup.exe)
  set(_tree32_under_test ${_in32})
  if(NOT arch STREQUAL "i686")
    # The 32-bit editor's installer with the programs Wine runs here, to try its logic.
    list(APPEND _commands
         COMMAND ${QIV_SCRIPTS}/make-package.sh 32 ${_in64} ${_in32} ${_help} ${_package} amd64-unicode)
    set(_setup32_under_test ${_package}/qiv-setup-amd64-unicode.exe)
    set(_tree32_under_test ${_in64})
  endif()
  add_custom_target(qiv_package ALL ${_commands}
    COMMENT "Packing the installers and the zips"
    VERBATIM)
  add_dependencies(qiv_package qiv_help windows windows64 ${run_build})

  # The help page covers every name a program can call, and its pictures are the examples'.
  add_test(NAME help_page
    COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/native/help/check_help.py ${CMAKE_SOURCE_DIR} ${_help})
  set_tests_properties(help_page PROPERTIES LABELS native TIMEOUT 120)

  # Silent installation and uninstallation of each package into a stand-in editor folder of
  # its kind (and refusal of the other kind), with stand-ins of the compiler and ar.
  set(_standins ${CMAKE_BINARY_DIR}/${run_build}/tests/standins/npp/MinGW/bin)
  foreach(_kind 32 64)
    if(_kind STREQUAL "32")
      set(_setup ${_setup32_under_test})
      set(_tree ${_tree32_under_test})
    else()
      set(_setup ${_package}/qiv-setup-x64.exe)
      set(_tree ${_in64})
    endif()
    add_test(NAME installer_silent_${_kind}
      COMMAND ${QIV_SCRIPTS}/wine-env.sh exec ${CMAKE_SOURCE_DIR}/tests/wine/package/installer_silent.sh
              ${_kind} ${_setup} ${_tree} ${_standins} ${_in32} ${_in64})
    set_tests_properties(installer_silent_${_kind} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK display
      TIMEOUT 400 ENVIRONMENT QIV_WINE_STATE=${CMAKE_BINARY_DIR}/wine-state LABELS "wine;package")
  endforeach()
endfunction()
