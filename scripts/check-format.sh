#!/usr/bin/env bash
# Checks that the C++ files a change touches are formatted as .clang-format
# says (clang-format --dry-run -Werror), and names each one that is not.
#   scripts/check-format.sh            the files of the change (below)
#   scripts/check-format.sh REV        the files changed since REV, and uncommitted ones
#   scripts/check-format.sh --all      every C++ file of the repository
# The change is found from git, so that it works alike in a worktree and in a
# fresh clone with full history:
#   - on a branch that is not main (a worktree before landing): the commits
#     since it left main;
#   - on main itself, or in a clone where HEAD is main's tip (CI): the last
#     commit;
# and in both cases the files changed but not committed, and new files not
# ignored. Deleted files are skipped. Format a file with `clang-format -i FILE`.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

command -v clang-format >/dev/null || { echo "check-format: clang-format is not installed (scripts/install-deps.sh)" >&2; exit 2; }

if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    echo "check-format: not a git checkout, no change to check" >&2
    exit 0
fi

cpp='\.(h|hpp|cpp|cc|inl)$'
if [ "${1:-}" = --all ]; then
    files=$(git ls-files | grep -E "$cpp" || true)
else
    base=${1:-}
    if [ -z "$base" ]; then
        if git rev-parse -q --verify main >/dev/null && [ "$(git merge-base main HEAD)" != "$(git rev-parse HEAD)" ]; then
            base=$(git merge-base main HEAD)
        elif git rev-parse -q --verify HEAD~1 >/dev/null; then
            base=HEAD~1
        else
            base=$(git hash-object -t tree /dev/null) # the first commit: everything in it
        fi
    fi
    files=$({
        git diff --name-only --diff-filter=d "$base" HEAD
        git diff --name-only --diff-filter=d HEAD
        git ls-files --others --exclude-standard
    } | grep -E "$cpp" | sort -u || true)
fi

status=0
while IFS= read -r f; do
    [ -n "$f" ] && [ -f "$f" ] || continue
    if ! clang-format --dry-run -Werror "$f" >/dev/null 2>&1; then
        echo "$f: not formatted (clang-format -i $f)"
        status=1
    fi
done <<<"$files"
exit $status
