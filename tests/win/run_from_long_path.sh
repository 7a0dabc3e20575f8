#!/usr/bin/env bash
# Runs one test of a test program from a copy of it in a folder whose path is longer than MAX_PATH,
# a folder of this run's own, then removes the copy.
#   run_from_long_path.sh <program> <test> <emulator and its arguments...>
set -euo pipefail
program=$1 test=$2
shift 2
base=$(mktemp -d "$(dirname "$program")/long-path.XXXXXX")
deep=$base
for _ in $(seq 10); do
    deep="$deep/a_folder_name_of_thirty_chars"
done
trap 'rm -rf "$base"' EXIT
mkdir -p "$deep"
cp "$program" "$deep/"
"$@" "$deep/$(basename "$program")" --gtest_filter="$test"
