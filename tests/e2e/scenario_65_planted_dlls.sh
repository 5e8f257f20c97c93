# DLLs planted beside ventrix.exe (its folder is also the current directory) under the names of
# the system DLLs that the process loads by name once it runs: the multimedia library and the
# CD audio and sound drivers it loads for the Windows 98 door command, the web library and its
# helpers. Wine is told to prefer such a native DLL wherever the search finds one; the
# program's search stops at the system directory, so none is ever loaded.
# Not planted: what Wine's loader resolves before the program's first instruction or through
# delay-load imports of system DLLs, which take the loader's own search path (the theming
# library from the common controls' start-up, COM from the input method library).

S65_NAMES="msacm32 winmm mcicda dsound wininet mpr ws2_32"
S65_DLL="$(dirname "$hook")/planted_dll.dll"
for name in $S65_NAMES; do cp "$S65_DLL" "$E2E_WORK/$name.dll"; done
rm -f "$E2E_WORK"/*.loaded

clear_settings
store_setting settings "Visible on Start-up" 1
# Nothing listens there: the check fails at once and says so.
store_setting "Web Update" "Web Update URL" "http://127.0.0.1:9/ventrix3.txt"
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;${S65_NAMES// /,}=n,b" \
  VENTRIX_WINEDEBUG="err-all,fixme-all,+loaddll" start_ventrix win98 planted-dlls
drv_ok dblclick "$MAIN" "Ready"
sleep 2
drv_ok pick "$MAIN" "&About"
drv_ok wait "About Ventrix 3" 3000
drv_ok click "About Ventrix 3" "OK"
drv_ok wait-hidden "About Ventrix 3" 3000
drv_ok pick "$MAIN" "Check for Update"
drv_ok wait "Web Update" 3000
drv_ok click "Web Update" "Check For Update"
check "planted DLLs: the web check ran and failed to connect" drv_ok wait "Ventrix3" 5000
drv_ok click "Ventrix3" "OK"
stop_ventrix
check "planted DLLs: the door command loaded the CD audio driver" \
  log_has 'system32\\\\mcicda.dll'
check "planted DLLs: the web check loaded the web library" log_has 'system32\\\\wininet.dll'
check "planted DLLs: none was loaded" \
  equals "$(cd "$E2E_WORK" && ls -- *.loaded 2>/dev/null | tr '\n' ' ')" ""
check "planted DLLs: the log names none loaded from the program's folder" \
  not log_has 'ventrix-e2e\\\\\('"${S65_NAMES// /\\|}"'\)\.dll'
for name in $S65_NAMES; do rm -f "$E2E_WORK/$name.dll" "$E2E_WORK/$name.dll.loaded"; done
clear_settings
