#!/usr/bin/env bash
# Each program given imports at load time only KnownDLLs, which Windows maps from System32
# whatever the program's folder holds, so no DLL planted beside it (Downloads, the temporary
# folder) is loaded before its first line runs. Comctl32 is not a KnownDLL; it is allowed only
# when the program's manifest asks for Common Controls 6, which comes from the side-by-side store.
# Usage: known_dlls_only.sh OBJDUMP PROGRAM...
set -euo pipefail
objdump=$1
shift
# The KnownDLLs of 64-bit Windows 10 and 11 (ntdll is always the system's own).
known=(advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 msctf msvcrt normaliz
       nsi ntdll ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32 wldap32 ws2_32)
is_known() {
  local dll
  for dll in "${known[@]}"; do [ "$dll" = "$1" ] && return 0; done
  return 1
}
status=0
for program in "$@"; do
  imports=$("$objdump" -p "$program" | sed -n 's/^\tDLL Name: //p' | tr '[:upper:]' '[:lower:]')
  [ -n "$imports" ] || { echo "$program: no import table read" >&2; status=1; }
  for dll in $imports; do
    name=${dll%.dll}
    is_known "$name" && continue
    if [ "$name" = comctl32 ] && grep -aq 'name="Microsoft.Windows.Common-Controls" version="6\.' "$program"; then
      continue
    fi
    echo "$(basename "$program") imports $dll at load time, which is not a KnownDLL" >&2
    status=1
  done
  echo "$(basename "$program"):" $imports
done
exit $status
