#!/usr/bin/env bash
# Builds tavel-base and regenerates the demo installation folder demo/ from its
# text sources in demo-src/:
#   *.tsv                record files in the tavel-base dump format (UTF-8),
#                        loaded into the .dat file of the same name;
#   Baza/NoKor.txt       the ten settings lines (UTF-8), stored in Windows-1251;
#   Baza/Oglavlenie.txt  the contents page, one row per line, five columns
#                        separated by tabs, stored cell by cell;
#   Help/                copied as it is;
#   <subject>/Slovar.txt the keyword dictionary, one stem per line (UTF-8),
#                        stored in Windows-1251 with CR LF;
#   Import/              the sample files of the four import layouts;
#   <subject>/Foto/      question pictures and explanation files: plain texts
#                        (*.txt, UTF-8 here) stored in Windows-1251 with CR LF,
#                        everything else (pictures, rich texts) copied as it is;
#   <subject>/Konspekt/  the subject's reference notes, copied as they are
#                        (they are opened by the desktop's programs).
# The remaining shared files (colours, code table) come from `tavel-base init`.
# The result is byte-for-byte the same on every run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel 2 --target tavel-base
tool="$PWD/$build/tools/tavel-base/tavel-base"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out="$work/demo"
mkdir -p "$out"

# Windows-1251 with CR LF line ends, as the program's text files are.
to_windows() { iconv -f UTF-8 -t CP1251 | sed 's/$/\r/'; }

while IFS= read -r source; do
  relative=${source#demo-src/}
  target="$out/${relative%.tsv}.dat"
  mkdir -p "$(dirname "$target")"
  # Any note from load (a text cut to its field) means the source is wrong.
  if ! notes=$("$tool" load "$target" < "$source" 2>&1) || [ -n "$notes" ]; then
    echo "$source: $notes" >&2
    exit 1
  fi
done < <(find demo-src -name '*.tsv' | sort)

to_windows < demo-src/Baza/NoKor.txt > "$out/Baza/NoKor.qkv"
awk -F'\t' '{ for (i = 1; i <= NF; ++i) cells[++n] = $i; ++rows; if (NF != 5) bad = NR }
  END { if (bad) { print "Oglavlenie.txt: line " bad " has not 5 columns" > "/dev/stderr"; exit 1 }
        print 5; print rows; for (i = 1; i <= n; ++i) print cells[i] }' demo-src/Baza/Oglavlenie.txt \
  | to_windows > "$out/Baza/Oglavlenie.txt"

"$tool" init "$out"
cp -r demo-src/Help "$out/Help"

while IFS= read -r source; do
  relative=${source#demo-src/}
  target="$out/$relative"
  mkdir -p "$(dirname "$target")"
  case "${source,,}" in
    *.txt) to_windows < "$source" > "$target" ;;
    *) cp "$source" "$target" ;;
  esac
  chmod 644 "$target"
done < <(find demo-src -path '*/Foto/*' -type f | sort)

while IFS= read -r source; do
  relative=${source#demo-src/}
  to_windows < "$source" > "$out/$relative"
  chmod 644 "$out/$relative"
done < <(find demo-src -mindepth 2 -maxdepth 2 -name Slovar.txt | sort)

while IFS= read -r source; do
  target="$out/${source#demo-src/}"
  mkdir -p "$(dirname "$target")"
  cp "$source" "$target"
  chmod 644 "$target"
done < <(find demo-src -path '*/Konspekt/*' -type f | sort)

# Import/: one sample file per import layout of the editor, copied as they are
# (UTF-8), except the exam paper, stored in Windows-1251 with CR LF as such
# papers usually come.
mkdir -p "$out/Import"
for source in demo-src/Import/*.txt; do
  case "$(basename "$source")" in
    ege.txt) to_windows < "$source" > "$out/Import/ege.txt" ;;
    *) cp "$source" "$out/Import/" ;;
  esac
  chmod 644 "$out/Import/$(basename "$source")"
done

rm -rf demo
mv "$out" demo
echo "demo/ regenerated from demo-src/"
