#!/usr/bin/env bash
# Lands the branch of the current worktree on main, for people working in
# several worktrees of one repository at once:
#   scripts/land.sh
# 1. the worktree must be on a branch other than main, with everything committed;
# 2. the branch is rebased onto main (a conflict stops here: resolve it with
#    `git rebase main` yourself, then land again);
# 3. layers and format are checked, the program, tests and benchmarks are built
#    in build/test (a warning in what was compiled stops the landing) and every
#    test runs headless with CTest, the Xvfb entries included;
# 4. main moves forward to the branch only when main has not moved since the
#    rebase; otherwise the steps run again on the new main. After two such
#    rounds the landing takes the lock for the whole run, so that it ends.
# Build and test jobs follow the machine's cores; PAGINOR_JOBS sets both.
# Landings take turns through a lock in the repository's common git folder;
# the lock is held only from the final check to the move of main, except in
# the last round. The main worktree (the one with main checked out) is moved
# with `git merge --ff-only`: never edit files there by hand.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

branch=$(git symbolic-ref --short HEAD 2>/dev/null || true)
if [ -z "$branch" ] || [ "$branch" = main ]; then
    echo "land: run this on a branch of its own, not on main" >&2
    exit 2
fi
if [ -n "$(git status --porcelain --untracked-files=normal)" ]; then
    echo "land: commit or remove what is not committed first:" >&2
    git status --short >&2
    exit 2
fi
main_tree=$(git worktree list --porcelain | awk '/^worktree /{w=substr($0,10)} /^branch refs\/heads\/main$/{print w}')
if [ -z "$main_tree" ]; then
    echo "land: no worktree has main checked out" >&2
    exit 2
fi
lock="$(git rev-parse --git-common-dir)/land.lock"
log_dir="$root/build/land"
mkdir -p "$log_dir"

check_and_test() {
    # (Called in a condition, where set -e does not stop at a failure.)
    "$root/scripts/check-layers.sh" || return 1
    "$root/scripts/check-format.sh" || return 1
    echo "land: building"
    if ! "$root/scripts/build.sh" "$root/build/test" Test -DPAGINOR_BUILD_TESTS=ON -DPAGINOR_BUILD_BENCH=ON \
        >"$log_dir/build.log" 2>&1; then
        grep -E "error|Error" "$log_dir/build.log" | head -40 >&2
        echo "land: the build failed ($log_dir/build.log)" >&2
        return 1
    fi
    if grep -E "warning:" "$log_dir/build.log" >/dev/null; then
        grep -E "warning:" "$log_dir/build.log" | sort -u | head -40 >&2
        echo "land: the build has warnings ($log_dir/build.log)" >&2
        return 1
    fi
    # The fuzz targets build with another compiler: a change that only that
    # compiler refuses, or a seed that no longer saves stably, fails here as
    # it would in CI.
    echo "land: replaying the fuzz seeds"
    if ! { "$root/scripts/fuzz.sh" parse replay && "$root/scripts/fuzz.sh" editing replay; } \
        >"$log_dir/fuzz.log" 2>&1; then
        grep -E "error|ERROR|Unstable|failed" "$log_dir/fuzz.log" | head -40 >&2
        echo "land: the fuzz seeds failed ($log_dir/fuzz.log)" >&2
        return 1
    fi
    echo "land: testing"
    (cd "$root/build/test" && QT_QPA_PLATFORM=offscreen ctest -j"${PAGINOR_JOBS:-$(nproc)}" --timeout 300 --output-on-failure \
        >"$log_dir/test.log" 2>&1) || {
        grep -E "\*\*\*Failed|Timeout|Not Run|tests failed" "$log_dir/test.log" | head -40 >&2
        echo "land: tests failed ($log_dir/test.log)" >&2
        return 1
    }
    tail -3 "$log_dir/test.log"
}

round=0
while :; do
    round=$((round + 1))
    holding=0
    if [ "$round" -ge 3 ]; then
        echo "land: main moved twice under this landing; waiting for the lock to run once more"
        exec 9>"$lock"
        flock 9
        holding=1
    fi
    base=$(git rev-parse main)
    if ! git rebase --quiet main; then
        git rebase --abort || true
        echo "land: the branch does not rebase cleanly onto main; run 'git rebase main', resolve, then land again" >&2
        exit 3
    fi
    check_and_test || exit 1
    if [ "$holding" = 0 ]; then
        exec 9>"$lock"
        flock 9
    fi
    if [ "$(git rev-parse main)" = "$base" ]; then
        git -C "$main_tree" merge --ff-only --quiet "$branch"
        flock -u 9
        echo "land: main is now $(git rev-parse --short main) ($(git log -1 --format=%s main | cut -c1-80))"
        exit 0
    fi
    flock -u 9
    echo "land: main moved during the run; again on the new main"
done
