# 32-bit Windows: the architecture of every deliverable.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QIV_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
