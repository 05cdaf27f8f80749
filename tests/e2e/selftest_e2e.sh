#!/usr/bin/env bash
# Runs the real VemoMed.exe under Wine in self-test mode and checks the report file byte
# for byte, the exit codes, and where the command line sends the report.
set -euo pipefail
exe=$(realpath "$1")
here=$(cd "$(dirname "$0")/../.." && pwd)
run() { "$here/scripts/wine-exec" "$exe" "$@"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

expected="$work/expected.txt"
printf 'TOOL|122|格拉斯哥昏迷评分 GCS|神经评估\r\nLEVEL|2\r\nOUT|GCS 总分|12|分\r\nOUT|睁眼得分|3|\r\nOUT|运动得分|5|\r\nVERDICT|中度意识障碍，密切监测瞳孔与生命体征\r\nDETAIL|GCS 总分：12 分 睁眼得分：3 运动得分：5 \r\nERRORS|0\r\n' >"$expected"

failures=0
check() {  # check <what> <condition...>
  local what=$1; shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
status_of() { set +e; run "$@"; local rc=$?; set -e; echo $rc; }

rc=$(status_of --selftest out.txt)
check "exit code 0 with a path" [ "$rc" = 0 ]
check "report is the eight lines, 263 bytes" cmp -s "$expected" out.txt
check "report size" [ "$(stat -c %s out.txt)" = 263 ]

rc=$(status_of --selftest)
check "no path: selftest.txt in the current folder" cmp -s "$expected" selftest.txt
rm -f selftest.txt

mkdir "my dir"
rc=$(status_of --selftest "my dir\\out file.txt")
check "quoted path with spaces" cmp -s "$expected" "my dir/out file.txt"

rc=$(status_of --selftest=x)
check "--selftest=x writes =x" cmp -s "$expected" "=x"

rc=$(status_of --selftest "")
check "empty quotes: selftest.txt" cmp -s "$expected" selftest.txt

rc=$(status_of --selftest 'no such folder\report.txt')
check "unwritable report: exit code 3, not success" [ "$rc" = 3 ]

echo "$failures failure(s)"
[ "$failures" = 0 ]
