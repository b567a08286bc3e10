#!/usr/bin/env bash
# The patcher started from a folder whose path is longer than MAX_PATH, as a
# person starts it from a console there. Windows programs cannot start a
# program that deep, so it is started from this machine's side of Wine.
# With the product installed and nothing else in the way, it must refuse to
# run any command, name its path, and end with status 1.
#   deep_folder_test.sh PATCHER.EXE
set -u
: "${WINEPREFIX:?run inside the Wine session of scripts/test}"
wine64=/usr/lib/wine/wine64
work=$(mktemp -d "$WINEPREFIX/drive_c/deep.XXXXXX")
trap 'rm -rf "$work"; "$wine64" reg delete "HKLM\\Software\\Marlune\\Marlune Services" /f >/dev/null 2>&1' EXIT

mkdir -p "$work/Marlune/Diagno~1"
touch "$work/Marlune/Diagno~1/MRLnA1.dat"
winwork="C:\\${work#$WINEPREFIX/drive_c/}"
"$wine64" reg add "HKLM\\Software\\Marlune\\Marlune Services" /v ServicesPath \
    /d "$winwork\\Marlune\\Services" /f >/dev/null 2>&1

deep="$work/updates"
while [ ${#deep} -lt $((${#WINEPREFIX} + 300)) ]; do
    deep="$deep/folder_of_updates_${#deep}"
done
mkdir -p "$deep"
cp "$1" "$deep/patcher.exe"

output=$(cd "$deep" && "$wine64" ./patcher.exe </dev/null 2>/dev/null)
status=$?
output=$(printf '%s' "$output" | tr -d '\r')
failed=0
expected="The path of this program is too long for the update commands:
C:\\"
if [[ $output != *"$expected"*"No update has been made."* ]]; then
    echo "FAILED: no message naming the path; the output was:"
    echo "$output"
    failed=1
fi
if [[ $output == *"ren "* ]] || [ ! -d "$work/Marlune/Diagno~1" ]; then
    echo "FAILED: an update command was run"
    failed=1
fi
if [ $status -ne 1 ]; then
    echo "FAILED: exit status $status, not 1"
    failed=1
fi
[ $failed -eq 0 ] && echo "1 passed, 0 failed"
exit $failed
