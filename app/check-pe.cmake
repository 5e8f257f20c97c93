# Checks the shipped ventrix.exe: it imports only DLLs that ship with Windows (no libstdc++,
# winpthread...), carries the dynamic-base, NX-compatible and terminal-server-aware flags with
# the relocations that dynamic base needs, and reports its size.
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${EXE}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
set(system_dlls kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll
    wininet.dll winmm.dll ole32.dll msvcrt.dll comdlg32.dll shlwapi.dll)
foreach(line ${imports})
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(TOLOWER "${dll}" dll)
  string(STRIP "${dll}" dll)
  list(FIND system_dlls ${dll} found)
  if(found EQUAL -1)
    message(FATAL_ERROR "ventrix.exe imports ${dll}, which is not a system DLL")
  endif()
  message(STATUS "imports ${dll}")
endforeach()

foreach(flag DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE)
  string(REGEX MATCH "\n[ \t]+${flag}\n" present "${dump}")
  if(NOT present)
    message(FATAL_ERROR "ventrix.exe lacks the ${flag} flag")
  endif()
  message(STATUS "flag ${flag}")
endforeach()
string(REGEX MATCH "Entry 5 [0-9a-f]+ [0-9a-f]*[1-9a-f][0-9a-f]* Base Relocation" relocations "${dump}")
if(NOT relocations)
  message(FATAL_ERROR "ventrix.exe has no base relocations, so dynamic base cannot move it")
endif()

file(SIZE ${EXE} size)
math(EXPR kib "${size} / 1024")
message(STATUS "size ${size} bytes (${kib} KiB)")
