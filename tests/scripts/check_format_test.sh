#!/usr/bin/env bash
# scripts/check-format.sh in a made-up repository: it names the badly
# formatted files of the change (the commits since main on a branch, the last
# commit on main, uncommitted and new files) and leaves older files alone.
#   tests/scripts/check_format_test.sh <repository root>
set -euo pipefail
repo=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
cd "$tree"
git init -q -b main .
git config user.email test@example.invalid
git config user.name test
mkdir scripts
cp "$repo/scripts/check-format.sh" scripts/
cp "$repo/.clang-format" .

good='int twice(int x)
{
    return 2 * x;
}'
bad='int  twice( int x ) { return 2*x; }'

fail=0
expect() { # expect <what> <expected output>
    local out
    out=$(scripts/check-format.sh 2>&1) && rc=0 || rc=$?
    if [ "$out" != "$2" ] || { [ -z "$2" ] && [ $rc -ne 0 ]; } || { [ -n "$2" ] && [ $rc -eq 0 ]; }; then
        echo "FAIL: $1: got (rc $rc)"
        printf '%s\n' "$out"
        echo "expected"
        printf '%s\n' "$2"
        fail=1
    fi
}

echo "$good" > a.cpp
echo "$bad" > old.cpp
git add -A && git commit -qm first
expect "the first commit" "old.cpp: not formatted (clang-format -i old.cpp)"

# On main's tip, as in a fresh clone: the last commit only.
echo "$good" > old.cpp
git commit -qam "format old.cpp"
echo "$bad" > kept.cpp
git add kept.cpp && git commit -qm "an old file left unformatted"
echo "$good" > b.cpp
git add b.cpp && git commit -qm "a formatted file"
expect "main's tip with a formatted last commit" ""
echo "$bad" > c.h
git add c.h && git commit -qm "an unformatted header"
expect "main's tip with an unformatted last commit" "c.h: not formatted (clang-format -i c.h)"
echo "$good" > c.h
git commit -qam "format c.h"

# On a branch: every commit since main, not only the last.
git checkout -q -b feature
echo "$bad" > d.cpp
git add d.cpp && git commit -qm "unformatted"
echo "text" > notes.txt
git rm -q b.cpp
git add notes.txt && git commit -qm "no C++ here, and a file deleted"
expect "a branch" "d.cpp: not formatted (clang-format -i d.cpp)"
echo "$good" > d.cpp
git commit -qam "format d.cpp"
expect "a branch formatted" ""

# Uncommitted and new files.
echo "$bad" > a.cpp
echo "$bad" > new.h
expect "uncommitted and new files" "a.cpp: not formatted (clang-format -i a.cpp)
new.h: not formatted (clang-format -i new.h)"
git checkout -q a.cpp
rm new.h

# --all checks the whole tree.
out=$(scripts/check-format.sh --all 2>&1) && rc=0 || rc=$?
if [ $rc -eq 0 ] || [ "$out" != "kept.cpp: not formatted (clang-format -i kept.cpp)" ]; then
    echo "FAIL: --all: $out"
    fail=1
fi

[ $fail -eq 0 ] && echo "check-format: all cases as expected"
exit $fail
