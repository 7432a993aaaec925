# Sourced by the end-to-end scripts: expect NAME TEXT PATTERN... checks that
# TEXT has a line matching each extended regular expression, prints TEXT
# and sets fail=1 for each one missing.
expect() {
    local name=$1 text=$2
    shift 2
    for p in "$@"; do
        if ! grep -qE -- "$p" <<<"$text"; then
            echo "FAIL $name: no line matching /$p/ in:"
            printf '%s\n' "$text" | sed 's/^/    /'
            fail=1
        fi
    done
}
