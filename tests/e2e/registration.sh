#!/usr/bin/env bash
# The registry after /RegServer and /UnregServer of the real VexlorECR.exe,
# from a folder without and one with a space in its path.
#   registration.sh VexlorECR.exe
set -uo pipefail
: "${WINEPREFIX:?run through ctest}"
exe=$1
fail=0

check() {  # check DESCRIPTION COMMAND...
    if ! "${@:2}"; then echo "FAIL $1"; fail=1; fi
}

value() {  # value KEY [NAME]: the data of a string value, "" when missing
    local args=(/ve)
    [ $# -gt 1 ] && args=(/v "$2")
    wine reg query "$1" "${args[@]}" 2>/dev/null | tr -d '\r' | sed -n 's/^ *[^ ]* *REG_SZ *//p'
}

absent() { ! wine reg query "$1" >/dev/null 2>&1; }

register_from() {  # register_from WINDOWS_DIR UNIX_DIR
    mkdir -p "$2"
    cp "$exe" "$2/VexlorECR.exe"
    wine "$1\\VexlorECR.exe" /RegServer
    check "/RegServer exit code" test $? -eq 0
}

register_from 'C:\VexlorECR' "$WINEPREFIX/drive_c/VexlorECR"
clsid=$(value 'HKCR\VexlorECR.TECRFisc\CLSID')
libid=$(value "HKCR\\CLSID\\$clsid\\Typelib")
check "CLSID text is upper case in braces: $clsid" grep -qE '^\{[0-9A-F-]{36}\}$' <<<"$clsid"
check "LIBID text is upper case in braces: $libid" grep -qE '^\{[0-9A-F-]{36}\}$' <<<"$libid"
key="HKCR\\CLSID\\$clsid"
check "class description" test "$(value "$key")" = "TECRFisc Object"
check "LocalServer32: $(value "$key\\LocalServer32")" \
    test "$(value "$key\\LocalServer32")" = 'C:\VexlorECR\VexlorECR.exe /Automation'
check "ThreadingModel" test "$(value "$key\\LocalServer32" ThreadingModel)" = Apartment
check "ProgID key" test "$(value 'HKCR\VexlorECR.TECRFisc')" = "TECRFisc Object"
check "ProgID" test "$(value "$key\\ProgID")" = VexlorECR.TECRFisc
check "Version" test "$(value "$key\\Version")" = 1.0
check "type library registered" test -n "$(value "HKCR\\TypeLib\\$libid\\1.0")"

register_from 'C:\Program Files\Vexlor ECR' "$WINEPREFIX/drive_c/Program Files/Vexlor ECR"
server=$(value "$key\\LocalServer32")
check "LocalServer32 from a folder with a space holds no space in its path: $server" \
    grep -qE '^(C:\\[^ "]+|"C:\\Program Files\\Vexlor ECR\\VexlorECR\.exe") /Automation$' <<<"$server"

wine 'C:\Program Files\Vexlor ECR\VexlorECR.exe' /UnregServer
check "/UnregServer exit code" test $? -eq 0
check "class key removed" absent "$key"
check "ProgID key removed" absent 'HKCR\VexlorECR.TECRFisc'
check "type library stays registered" test -n "$(value "HKCR\\TypeLib\\$libid\\1.0")"

[ $fail -eq 0 ] && echo "registration: all checks passed"
exit $fail
