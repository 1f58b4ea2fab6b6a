# Compiler message translation: pure code, built in both configurations. The cross build
# links it into the plug-in DLL; the native build tests it with GoogleTest.
# Narrow literals must be GBK bytes, so the sources (UTF-8) are compiled with
# -fexec-charset=GBK, the test program too, since it compares bytes.
add_library(qiv_message_translation STATIC ${CMAKE_CURRENT_LIST_DIR}/message_translation.cpp
            ${CMAKE_CURRENT_LIST_DIR}/student_source.cpp)
target_include_directories(qiv_message_translation PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_compile_options(qiv_message_translation PRIVATE -fexec-charset=GBK -Wall -Wextra)

if(NOT QIV_WINDOWS)
  qiv_native_gtest(message_translation_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/native/plugin_translation/message_translation_test.cpp
    LIBS qiv_message_translation)
  target_compile_options(message_translation_test PRIVATE -fexec-charset=GBK)
endif()
