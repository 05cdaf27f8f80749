#!/usr/bin/env bash
# The program's start-up imports only kernel32 and the C runtime: the window's DLLs are
# delay-loaded, so that the self-test starts as fast as an empty program. A Windows
# call missing from app/delayload/*.def would pull its DLL back in here.
set -euo pipefail
imports=$(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
echo "imported at start: $imports"
[ "$imports" = "kernel32.dll msvcrt.dll " ]
