# Cross-compile for 64-bit Windows (the Wine tiers on a host that runs no 32-bit program).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw_triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
