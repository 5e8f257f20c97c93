#pragma once
// <windows.h> with the SDK's declarations up to Windows 7, for the pointer types (decltype) of
// functions that the program finds at run time; nothing declared here is imported. Include it
// first, in a source file that shares no structure with the rest of the program, which sees the
// declarations of Windows XP.

#ifdef _WINDOWS_
#error "platform/win32/windows7_sdk.h must come before <windows.h>"
#endif

#undef _WIN32_WINNT
#undef WINVER
#define _WIN32_WINNT 0x0601
#define WINVER 0x0601
#include <windows.h>
