#!/usr/bin/env bash
# The layer guard: fails when an object of a lower layer was compiled
# against a header it must not see, as the compiler's dependency records of
# a finished build tell:
#   - tavel_storage and tavel_core objects: no QtWidgets header;
#   - tavel_storage objects: no header of src/session, src/reports or src/app.
# Usage: scripts/check-layers.sh [BUILD_DIR]   (default: build)
set -euo pipefail
build=${1:-build}
if [ ! -d "$build" ]; then
  echo "check-layers.sh: no build folder $build" >&2
  exit 2
fi

# One line per dependency: "<object> <header>". Ninja keeps the records in
# its own log (the .d files are consumed); other generators leave .d files.
list_deps() {
  if [ -f "$build/.ninja_deps" ]; then
    ninja -C "$build" -t deps | awk '
      /^[^ \t].*: #deps/ { obj = $1; sub(/:$/, "", obj); next }
      /^[ \t]+[^ \t]/ { gsub(/^[ \t]+/, ""); print obj, $0 }'
  else
    find "$build" -name '*.o.d' -print0 | while IFS= read -r -d '' d; do
      obj=${d%.d}
      tr -d '\\' < "$d" | tr ' ' '\n' | grep -v -e '^$' -e ':$' | sed "s|^|$obj |"
    done
  fi
}

deps=$(list_deps)
if [ -z "$deps" ]; then
  echo "check-layers.sh: no dependency records in $build (build it first)" >&2
  exit 2
fi
objects=$(printf '%s\n' "$deps" | awk '{print $1}' | grep -c -e 'tavel_storage\.dir/' -e 'tavel_core\.dir/' || true)
if [ "$objects" -eq 0 ]; then
  echo "check-layers.sh: no tavel_storage or tavel_core objects recorded in $build" >&2
  exit 2
fi

bad=$(printf '%s\n' "$deps" | awk '
  $1 ~ /(tavel_storage|tavel_core)\.dir\// && $2 ~ /\/QtWidgets\// { print "widgets:", $1, "includes", $2 }
  $1 ~ /tavel_storage\.dir\// && $2 ~ /(^|\/)src\/(session|reports|app)\// { print "layer:  ", $1, "includes", $2 }')
if [ -n "$bad" ]; then
  echo "check-layers.sh: objects that include what their layer must not see:" >&2
  printf '%s\n' "$bad" | sort -u >&2
  exit 1
fi
echo "check-layers.sh: layers clean ($objects dependency records of storage and core objects checked)"
