#!/bin/sh
# same_outputs.sh FOLDER... -- FILE...: each FILE (relative to the folders) is the same in every
# folder as in the first, as the outputs of one run under several locales must be; shows the
# differences otherwise.
folders=""
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  folders="$folders
$1"
  shift
done
shift
first=$(printf '%s\n' "$folders" | sed -n 2p)
failures=0
for file; do
  printf '%s\n' "$folders" | sed '1,2d' | while IFS= read -r other; do
    diff -u "$first/$file" "$other/$file" || exit 1
  done || failures=$((failures + 1))
done
exit $failures
