#!/usr/bin/env bash
# Registers VexlorECR.exe in the test prefix and runs the C++ COM client
# com_probe.exe on it. The client starts the server by hand from the path
# in VEXLOR_SERVER, or lets COM start it.
#   com_probe.sh VexlorECR.exe com_probe.exe [GTEST ARGS...]
set -uo pipefail
export WINEDEBUG=${WINEDEBUG:--all}
: "${WINEPREFIX:?run through ctest}"
exe=$1
probe=$2
shift 2

dir="$WINEPREFIX/drive_c/VexlorECR"
mkdir -p "$dir"
cp "$exe" "$dir/"
wine 'C:\VexlorECR\VexlorECR.exe' /RegServer || exit 1
VEXLOR_SERVER='C:\VexlorECR\VexlorECR.exe' timeout 300 wine "$probe" --gtest_color=no "$@"
