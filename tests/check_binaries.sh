#!/usr/bin/env bash
# Checks the shipped 32-bit programs in DIST (default: dist/) as Windows will
# load them: PE32 i386, the right subsystem at version 4.0 (the non-NT family
# loads nothing newer), imports from system DLLs only, manifest resource ID 1
# with the right execution level, a version resource naming the company,
# product, original file name and VERSION, at most 64 KiB.
# Each failed check prints "FILE: what is wrong"; the status is the count.
#   check_binaries.sh DIST VERSION
set -u
dist=$1 version=$2
objdump=i686-w64-mingw32-objdump
objcopy=i686-w64-mingw32-objcopy
allowed=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll msvcrt.dll "
failures=0

fail() {
    echo "$1: $2"
    failures=$((failures + 1))
}

# check NAME SUBSYSTEM-NUMBER SUBSYSTEM-NAME EXECUTION-LEVEL
check() {
    local name=$1 subsystem=$2 kind=$3 level=$4 file="$dist/$1"
    if [ ! -f "$file" ]; then
        fail "$name" "missing in $dist"
        return
    fi
    local headers
    headers=$($objdump -p "$file" 2>&1)
    if ! echo "$headers" | grep -q 'file format pei-i386'; then
        fail "$name" "not a PE32 i386 program: $(echo "$headers" | head -n 3 | grep -m1 'format')"
        return
    fi
    echo "$headers" | grep -Eq "^Subsystem[[:space:]]+0000000$subsystem" ||
        fail "$name" "not a $kind program: $(echo "$headers" | grep -m1 '^Subsystem')"
    local subsystemVersion
    subsystemVersion=$(echo "$headers" | awk '/^MajorSubsystemVersion/ {a=$2} /^MinorSubsystemVersion/ {b=$2} END {print a "." b}')
    [ "$subsystemVersion" = "4.0" ] || fail "$name" "subsystem version $subsystemVersion, not 4.0"

    local dll
    for dll in $(echo "$headers" | awk '/DLL Name:/ {print tolower($3)}'); do
        [[ $allowed == *" $dll "* ]] || fail "$name" "imports $dll, which is no system DLL"
    done

    # The resource directory lists types, each followed by its IDs.
    local resources
    resources=$(echo "$headers" | sed -n '/The .rsrc Resource Directory section/,/Resources start/p')
    echo "$resources" | grep -A2 'Entry: ID: 0x000018,' | grep -q 'Entry: ID: 0x000001,' ||
        fail "$name" "no manifest resource with ID 1 (a named or other-numbered one is ignored)"
    echo "$resources" | grep -q 'Entry: ID: 0x000010,' || fail "$name" "no version resource"

    local rsrc
    rsrc=$(mktemp)
    $objcopy -O binary --only-section=.rsrc "$file" "$rsrc" 2>/dev/null
    grep -q "requestedExecutionLevel level=\"$level\"" "$rsrc" ||
        fail "$name" "manifest does not ask for execution level $level"
    local upper
    upper=$(echo "$name" | tr '[:lower:]' '[:upper:]')
    strings -e l "$rsrc" | grep -qx "$upper" || fail "$name" "version resource lacks OriginalFilename $upper"
    local field value
    for field in CompanyName=Marlune ProductName=Marlune FileVersion=$version ProductVersion=$version; do
        value=${field#*=}
        field=${field%%=*}
        strings -e l "$rsrc" | grep -A1 -x "$field" | grep -qxF "$value" ||
            fail "$name" "version resource lacks $field $value"
    done
    rm -f "$rsrc"

    local size
    size=$(stat -c %s "$file")
    [ "$size" -le 65536 ] || fail "$name" "$size bytes, more than 64 KiB"
}

check launcher.exe 2 "Windows GUI" asInvoker
check patcher.exe 3 "console" requireAdministrator
[ $failures -eq 0 ] && echo "both programs pass the binary checks"
exit $failures
