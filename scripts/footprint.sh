#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Footprint of the parser library alone (parser/*.cpp, without any command table), compiled at
# -Os for x86-64, once with call tracing compiled out (SCPI_TRACE=0) and once with it in:
#   - code (.text) and constant data (.rodata) in bytes, and the RAM it keeps (.data + .bss);
#   - the largest stack frame of any function (-fstack-usage);
#   - recursion: none allowed, checked on the call graph the compiler writes (-fcallgraph-info);
#   - the deepest stack any public call can reach (frames summed along the call graph).
# The demo command table and its header index are measured on their own for reference.
#
#   scripts/footprint.sh    (CXX and CC choose the compilers: GCC 10 or later, default g++ and gcc)
#
# Exits 1 when a goal is missed: more than 8 KiB of code without tracing, a frame above
# 256 bytes, or any recursion.
set -euo pipefail
cd "$(dirname "$0")/.."

CXX=${CXX:-g++}
CC=${CC:-gcc}
out=${ORVANE_FOOTPRINT_DIR:-build-footprint}
code_goal=8192
frame_goal=256
flags=(-std=c++17 -Os -DNDEBUG -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
       -fstack-usage -fcallgraph-info=su -Iparser -Iparser/include)

# Sums the sizes of the sections matching a pattern over object files.
sections() {  # pattern, objects...
  local pattern=$1
  shift
  size -A -d "$@" | awk -v p="$pattern" '$1 ~ p { s += $2 } END { print s + 0 }'
}

# Reads the call graphs (.ci) of a build: "N <function> <frame bytes>" and "E <caller> <callee>".
graph() {  # dir
  sed -nE \
    -e 's/^node: \{ title: "([^"]*)" label: "([^"]*)\\n[^"]*\\n([0-9]+) bytes[^"]*".*/N \1 \3/p' \
    -e 's/^edge: \{ sourcename: "([^"]*)" targetname: "([^"]*)".*/E \1 \2/p' "$1"/*.ci
}

# Prints "<function> <bytes>" for the deepest chain of frames from any function (frames of
# callees outside the library, such as a host's trace sink, count as 0).
deepest() {  # dir
  graph "$1" | awk '
    $1 == "N" { frame[$2] = $3 }
    $1 == "E" { n[$2]++; callee[$2, n[$2]] = $3 }
    function depth(f,    i, d, best) {
      if (f in memo) return memo[f]
      best = 0
      for (i = 1; i <= n[f]; i++) { d = depth(callee[f, i]); if (d > best) best = d }
      memo[f] = frame[f] + best
      return memo[f]
    }
    END {
      for (f in frame) if (depth(f) > max) { max = depth(f); top = f }
      print top, max
    }'
}

status=0
label() { [ "$1" = trace ] && echo "tracing in" || echo "tracing out"; }
build() {  # name, trace (0/1)
  local dir="$out/$1"
  rm -rf "$dir"
  mkdir -p "$dir/include/orvane-scpi"
  sed -e "s/@ORVANE_SCPI_CONFIG_TRACE@/$2/" -e 's/@ORVANE_SCPI_CONFIG_STANDARD_RULES@/0/' \
    cmake/scpi_config.h.in > "$dir/include/orvane-scpi/scpi_config.h"
  for src in parser/*.cpp; do
    "$CXX" "${flags[@]}" -I"$dir/include" -c "$src" -o "$dir/$(basename "$src" .cpp).o"
  done
}

build no-trace 0
build trace 1
mkdir -p "$out/table"
"$CC" -std=c99 -Os -fno-asynchronous-unwind-tables -Iparser/include -I"$out/no-trace/include" \
  -c commands/demo_commands.c \
  -o "$out/table/demo_commands.o"
# The demo table's header index, derived as orvane_scpi_add_table derives it.
mkdir -p "$out/index"
"$CC" -std=c99 -Iparser/include -I"$out/no-trace/include" cmake/scpi_table_index.c \
  commands/demo_commands.c -o "$out/index/table_index"
"$out/index/table_index" "$out/index/demo_commands_index.c"
"$CC" -std=c99 -Os -fno-asynchronous-unwind-tables -Iparser/include -I"$out/no-trace/include" \
  -c "$out/index/demo_commands_index.c" -o "$out/index/demo_commands_index.o"

echo "Parser library footprint ($("$CXX" --version | head -1), x86-64, -Os)"
printf '%-22s %8s %8s %8s %12s\n' "build" ".text" ".rodata" "RAM" "worst frame"
for variant in no-trace trace; do
  dir="$out/$variant"
  objs=("$dir"/*.o)
  text=$(sections '^\\.text' "${objs[@]}")
  rodata=$(sections '^\\.rodata' "${objs[@]}")
  ram=$(sections '^\\.(data|bss)' "${objs[@]}")
  frame=$(cut -f2 "$dir"/*.su | sort -n | tail -1)
  printf '%-22s %8d %8d %8d %12d\n' "$(label "$variant")" "$text" "$rodata" "$ram" \
    "$frame"
  [ "$variant" = no-trace ] && [ "$text" -gt "$code_goal" ] && {
    echo "  GOAL MISSED: more than $code_goal bytes of code without tracing"; status=1; }
  [ "$frame" -gt "$frame_goal" ] && {
    echo "  GOAL MISSED: a frame above $frame_goal bytes:"
    sort -t$'\t' -k2 -n "$dir"/*.su | tail -3 | sed 's/^/    /'; status=1; }
done
table=("$out"/table/*.o)
printf '%-22s %8d %8d %8d\n' "demo command table" "$(sections '^\\.text' "${table[@]}")" \
  "$(sections '^\\.(rodata|data\\.rel\\.ro)' "${table[@]}")" "$(sections '^\\.(data|bss)$' "${table[@]}")"
index=("$out"/index/*.o)
printf '%-22s %8d %8d %8d\n' "  its header index" "$(sections '^\\.text' "${index[@]}")" \
  "$(sections '^\\.(rodata|data\\.rel\\.ro)' "${index[@]}")" "$(sections '^\\.(data|bss)$' "${index[@]}")"

for variant in no-trace trace; do
  dir="$out/$variant"
  edges=$(graph "$dir" | awk '$1 == "E" { print $2, $3 }')
  self=$(awk '$1 == $2' <<<"$edges")
  if [ -n "$self" ] || ! tsort <<<"$edges" >/dev/null 2>"$dir/tsort.err"; then
    echo "RECURSION ($(label "$variant")):"
    sed 's/^/  /' <<<"$self"
    sed 's/^/  /' "$dir/tsort.err"
    status=1
  else
    read -r top depth < <(deepest "$dir")
    echo "$(label "$variant"): no recursion; deepest stack $depth bytes, from" \
      "$(c++filt "$top" | sed 's/(.*//')"
  fi
done
exit $status
