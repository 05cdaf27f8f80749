#!/usr/bin/env bash
# Prepares the project's Wine prefix (build/wine unless WINEPREFIX is set) for running
# and testing the program: Chinese faces mapped to Noto CJK, no window manager wait,
# and a persistent wineserver so that each test process starts quickly.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wine}
export WINEDEBUG=-all
mkdir -p "$(dirname "$WINEPREFIX")"

if [ ! -f "$WINEPREFIX/.vemomed-ready" ]; then
  wineboot -i </dev/null >/dev/null 2>&1 || true
  reg=$(mktemp --suffix=.reg)
  cat >"$reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"Microsoft YaHei UI"="Noto Sans CJK SC"
"Microsoft YaHei"="Noto Sans CJK SC"
"Consolas"="Noto Sans Mono CJK SC"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]
"Tahoma"="NotoSansCJK-Regular.ttc,Noto Sans CJK SC"
"MS Shell Dlg"="NotoSansCJK-Regular.ttc,Noto Sans CJK SC"
"MS Shell Dlg 2"="NotoSansCJK-Regular.ttc,Noto Sans CJK SC"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
  wine regedit "$reg" </dev/null >/dev/null 2>&1
  rm -f "$reg"
  wineserver -w </dev/null >/dev/null 2>&1 || true
  touch "$WINEPREFIX/.vemomed-ready"
fi

# Keep the server up between test processes, and boot the prefix's services now, with
# their output away from any caller's pipe.
wineserver -p 60 </dev/null >/dev/null 2>&1 || true
wine wineboot </dev/null >/dev/null 2>&1 || true
