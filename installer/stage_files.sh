#!/bin/sh
# Copies files into a folder, dated SOURCE_DATE_EPOCH (default: now): an installer records the dates
# of the files it carries, and a release must record the same ones each time it is built.
#
#   stage_files.sh <folder> <file>...
set -eu
[ $# -ge 2 ] || { echo "usage: $0 <folder> <file>..." >&2; exit 2; }
folder=$1; shift
mkdir -p "$folder"
for file in "$@"; do
    cp "$file" "$folder/"
    touch -d "@${SOURCE_DATE_EPOCH:-$(date +%s)}" "$folder/$(basename "$file")"
done
