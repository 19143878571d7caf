#!/usr/bin/env bash
# Usage: rules_tool_test.sh path/to/dravik-rules
# Each check runs one command and compares its standard output and exit status.
set -u
tool=$1
failures=0

check() {  # check EXPECTED_STATUS EXPECTED_OUTPUT ARGS...
    local want_status=$1 want_out=$2
    shift 2
    local out status
    out=$("$tool" "$@" 2>/dev/null)
    status=$?
    if [[ $status != "$want_status" || "$out" != "$want_out" ]]; then
        echo "FAIL: dravik-rules $*"
        echo "  expected status $want_status, output:"; printf '%s\n' "$want_out" | sed 's/^/    /'
        echo "  got status $status, output:"; printf '%s\n' "$out" | sed 's/^/    /'
        failures=$((failures + 1))
    fi
}

check 0 "BJ SJ 2S KD 4S 4H 4C 4D 3D" sort "3 2S SJ K BJ 4 4C 4H 4S"
check 0 "1" classify 10 10 10 10 2
check 0 "2" classify K
check 0 "0" classify 5,6
check 0 "true" beats --mine "6 6 BJ" --table "5 5 SJ"
check 0 "false" beats --mine "6 6 SJ" --table "5 5 SJ"
check 0 "refuse" validate --hand "9 3" --select 3
check 0 "play 2" validate --hand "3 3 3" --select "3 3 3"
check 0 "refuse" validate --hand "9 9" --select "9 9" --table "K K" --table-class 1
check 0 "play 1" validate --hand "A A 4" --select "A A" --table "K K"
check 0 $'6D 6D\n7D 7D\n8D 2D\n2D SJ' hint --hand "7 7 7 6 6 8 2 SJ" --table "5 5"
check 0 "BJ 9D 9D" hint --hand "9 9 9 7 BJ" --table "5 5 SJ"
check 0 "" hint --hand "BJ BJ BJ" --table "BJ BJ"
check 0 "2D 9D 9D" hint --hand "2 9 9 3" --burning
check 0 "4D" hint --hand "K 9 9 4 3 3"
check 0 "K 不能还" return --hand "A K 7 3" --count 1 --no-return "13 14" --select K
check 0 "还贡的张数多了" return --hand "A K 7 3" --count 2 --select "A K 7"
check 0 "5D" return --hand "A K 7 5 3" --count 1 --no-return "14,13,7,5"
check 0 "none" return --hand "3 3" --count 1
check 0 $'best 3\n4S 4S 4S' work --hand "4 4 4S 4S 4S"
check 0 $'best 1\nnot eligible' work --hand "4 4C 4H"
check 2 "" classify 7 1X
check 2 "" validate --hand "9 9"
check 2 "" validate --hand "9 9" --select 8
check 2 "" return --hand "9" --count many
check 2 "" shuffle 7

if [[ $failures -gt 0 ]]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
