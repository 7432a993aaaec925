#!/usr/bin/env bash
# End to end through real COM: registers VexlorECR.exe in the test prefix,
# runs the VBScript and JScript samples against the printer stand-in that
# serves COM1, checks what they print, and checks that the server COM
# started ends once its last client has gone.
#   com_clients.sh VexlorECR.exe SAMPLES_DIR
set -uo pipefail
: "${WINEPREFIX:?run through ctest}"
exe=$1
samples=$2
fail=0

dir="$WINEPREFIX/drive_c/VexlorECR"
mkdir -p "$dir"
cp "$exe" "$dir/"
wine 'C:\VexlorECR\VexlorECR.exe' /RegServer

. "$(dirname "$0")/expect.sh"

for sample in connect.vbs connect.js; do
    out=$(timeout 120 wine cscript //nologo "$(winepath -w "$samples/$sample")" 2>&1 | tr -d '\r')
    expect "$sample" "$out" \
        '^Version: VexlorECR OLE v6\.00 QZ4417R 06\.04\.2018$' \
        '^COM1 open$' '^Printer answers$' '^Device identifier: .+' \
        '^StatusBytes 0, GetError 0' '^Closed: 1$'
    echo "$sample:"
    printf '%s\n' "$out" | sed 's/^/    /'
done

# The server was started by COM (/Automation): with its last client gone it
# quits, and with it this prefix's last process, so the wineserver ends.
if ! timeout 30 wineserver -w; then
    echo "FAIL server still running 30 s after its last client left"
    fail=1
fi

[ $fail -eq 0 ] && echo "com_clients: all checks passed"
exit $fail
