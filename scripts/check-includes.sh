#!/usr/bin/env bash
# Fails on an include that climbs out with "../" (it reaches around the include folders that keep
# each library's insides private) and on a cycle between source folders (every folder builds on
# the ones below it only). Prints the includes that close each cycle.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd -P)"
cd "$root"
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$root" ]; then
  git ls-files '*.cpp' '*.h'
else
  find . \( -path './build' -o -path './build-*' -o -path './obj-*' -o -path './debian' \) -prune \
    -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||'
fi | sort >"${TMPDIR:-/tmp}/kolvane-includes.$$"
files="${TMPDIR:-/tmp}/kolvane-includes.$$"
trap 'rm -f "$files" "$files.edges"' EXIT

status=0

# An include written with "../", anywhere, tests and benchmarks included.
climbs=$(xargs -r grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][^">]*\.\./' <"$files" || true)
if [ -n "$climbs" ]; then
  echo "check-includes: an include climbs out with \"../\"; include the header by its name:" >&2
  echo "$climbs" >&2
  status=1
fi

# Edges "from-folder to-folder include-site" between the folders of the programs' own sources.
# Headers are included by file name, so a name stands for the one folder that holds it.
grep -E '^(platform|foundation|schedule|accessories|viewer|programs)/' "$files" |
  xargs -r awk '
    FNR == 1 {
      n = split(FILENAME, parts, "/")
      dir[FILENAME] = substr(FILENAME, 1, length(FILENAME) - length(parts[n]) - 1)
      if (parts[n] ~ /\.h$/) home[parts[n]] = dir[FILENAME]
    }
    /^[ \t]*#[ \t]*include[ \t]*"/ {
      name = $0
      sub(/^[^"]*"/, "", name)
      sub(/".*/, "", name)
      count++
      from[count] = FILENAME; header[count] = name; line[count] = FNR
    }
    END {
      for (i = 1; i <= count; i++) {
        if (!(header[i] in home)) continue
        a = dir[from[i]]; b = home[header[i]]
        if (a != b) print a, b, from[i] ":" line[i] ": #include \"" header[i] "\""
      }
    }' >"$files.edges"

loops=$(cut -d' ' -f1,2 "$files.edges" | sort -u | tsort 2>&1 >/dev/null || true)
if [ -n "$loops" ]; then
  echo "check-includes: source folders include each other in a cycle:" >&2
  # tsort lists each cycle's folders in order; show the include behind every step of it.
  printf '%s\n' "$loops" | sed -n 's/^tsort: //p' | awk -v edges="$files.edges" '
    BEGIN { while ((getline l < edges) > 0) { split(l, f, " "); k = f[1] " " f[2]
              if (!(k in site)) site[k] = substr(l, length(f[1]) + length(f[2]) + 3) } }
    function close_loop() { if (n) { print "  " prev " -> " first ": " site[prev " " first]; n = 0 } }
    /input contains a loop/ { close_loop(); print "cycle:"; next }
    { if (n) print "  " prev " -> " $0 ": " site[prev " " $0]; else first = $0
      prev = $0; n++ }
    END { close_loop() }' >&2
  status=1
fi
exit $status
