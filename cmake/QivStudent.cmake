# Student programs are built the way the editor plug-in builds them: scripts/qiv-build.sh
# composes the plug-in's two command lines (compile with logo.h forced in, link with
# Qiv_private.res and logoLib.a). The runtime files come from the staging folder
# ${QIV_STAGE}/Qiv, which the runtime's CMakeLists fills (target qiv_stage).

set(QIV_STAGE ${CMAKE_BINARY_DIR}/stage)

# qiv_student_program(<name> SOURCE <file.cpp> [RES <file.res>] [DEPENDS files...])
# Produces <binary-dir>/<name>/<name>.exe; the target <name> carries the path in QIV_EXE.
# RES: one more compiled resource object, linked beside Qiv_private.res.
function(qiv_student_program name)
  cmake_parse_arguments(S "" "SOURCE;RES" "DEPENDS" ${ARGN})
  set(_res_args "")
  if(S_RES)
    set(_res_args --res ${S_RES})
  endif()
  get_filename_component(_src ${S_SOURCE} ABSOLUTE)
  set(_dir ${CMAKE_CURRENT_BINARY_DIR}/${name})
  set(_exe ${_dir}/${name}.exe)
  add_custom_command(
    OUTPUT ${_exe}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${_src} ${_dir}/${name}.cpp
    COMMAND ${QIV_SCRIPTS}/qiv-build.sh --cxx ${CMAKE_CXX_COMPILER} ${_res_args} ${QIV_STAGE} ${_dir}/${name}.cpp
    DEPENDS ${_src} ${S_RES} ${S_DEPENDS} qiv_stage ${QIV_STAGE}/Qiv/logo.h ${QIV_STAGE}/Qiv/logoLib.a
            ${QIV_STAGE}/Qiv/Qiv_private.res ${QIV_SCRIPTS}/qiv-build.sh
    COMMENT "Building student program ${name}.exe with the plug-in's command lines"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${_exe})
  set_target_properties(${name} PROPERTIES QIV_EXE ${_exe})
endfunction()

# qiv_stage_include(<target> <header>)
# Copies a header of the test sources into the staged installation's include folder (the -I
# of the compile command), where student-built test programs find it; <target> builds it.
function(qiv_stage_include target header)
  get_filename_component(_name ${header} NAME)
  set(_out ${QIV_STAGE}/MinGW/include/${_name})
  add_custom_command(
    OUTPUT ${_out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QIV_STAGE}/MinGW/include
    COMMAND ${CMAKE_COMMAND} -E copy ${header} ${_out}
    DEPENDS ${header}
    VERBATIM)
  add_custom_target(${target} DEPENDS ${_out})
endfunction()
