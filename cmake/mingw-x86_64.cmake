# 64-bit Windows: the same sources built for Wine's 64-bit loader, used to run the Windows
# tests on machines that cannot execute 32-bit Linux programs (Wine's 32-bit loader).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QIV_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
