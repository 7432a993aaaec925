#!/usr/bin/env bash
# A whole receipt end to end, the way the product's users run it: the
# Russian locale (ANSI code page 1251, decimal comma), samples/receipt.vbs
# through real COM, the printer stand-in with the demo's articles on COM1.
# Checks what the script printed and what the printer printed: the Cyrillic
# text line reaches the paper only if it went out as Windows-1251 bytes, and
# the sales add up only if amounts went out with a decimal point.
#   receipt.sh VexlorECR.exe SAMPLES_DIR ECRSIM ARTICLES_STATE
set -uo pipefail
: "${WINEPREFIX:?run through ctest}"
exe=$1
samples=$2
ecrsim=$3
articles=$4
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$articles" "$work/printer.state"
export LC_ALL=ru_RU.UTF-8
fail=0

dir="$WINEPREFIX/drive_c/VexlorECR"
mkdir -p "$dir"
cp "$exe" "$dir/"
wine 'C:\VexlorECR\VexlorECR.exe' /RegServer

# The console writes in the OEM code page, 866 under this locale.
out=$("$here/../support/with-peer" "$WINEPREFIX-ports/com1" \
        "$ecrsim" --journal "$work/journal.txt" --state "$work/printer.state" -- \
        timeout 120 wine cscript //nologo "$(winepath -w "$samples/receipt.vbs")" 2>&1 |
      iconv -f CP866 -t UTF-8 | tr -d '\r')
journal=$(cat "$work/journal.txt" 2>/dev/null)

. "$here/expect.sh"

expect receipt.vbs "$out" '^Open receipt, operator 1: ok$' '^Receipt kind: 1$' \
    '^Text line: ok$' '^Total: 362,22$' '^Paid: 100,00$' '^The rest in cash: ok$' \
    '^Close: ok$' '^Receipt number: 1$'
expect journal "$journal" '^Хлеб ржаной$' '^  2\.000 x 45\.90 +91\.80 А$' \
    '^  1\.500 x 89\.20 +133\.80 А$' '^  DISCOUNT -10\.00% +-13\.38$' \
    '^Спасибо за покупку!$' '^TOTAL +362\.22$' '^CARD +100\.00$' '^CASH +262\.22$'
if grep -qE ': failed \(GetError' <<<"$out"; then
    echo "FAIL receipt.vbs reported a failed step:"
    printf '%s\n' "$out" | sed 's/^/    /'
    fail=1
fi

[ $fail -eq 0 ] && echo "receipt: all checks passed"
exit $fail
