#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Footprint of the parser library alone (parser/*.cpp, without any command table), compiled at
# -Os for x86-64, once with call tracing compiled out (SCPI_TRACE=0), once with it in, and once
# with the standard SCPI rules (SCPI_STANDARD_RULES=1, tracing out):
#   - code (.text) and constant data (.rodata) in bytes, and the RAM it keeps (.data + .bss);
#   - the largest stack frame of any function (-fstack-usage);
#   - recursion: none allowed, checked on the call graph the compiler writes (-fcallgraph-info);
#   - the deepest stack any public call can reach (frames summed along the call graph).
# The demo command table and its header index are measured on their own for reference.
#
# Then the Cortex-M4 and Cortex-M0 builds (presets cortex-m4, cortex-m0: -Os, thumb, tracing out,
# the libraries alone) with the firmware image tests/firmware (the loop over a fake UART, the
# parser, the demo table, newlib-nano, --gc-sections): code, constant data and RAM of the parser
# library, the demo table and the image. The demo table must keep all of its data, pointers
# included, in .rodata (flash), and the image must link no double-precision routine.
#
#   scripts/footprint.sh    (CXX and CC choose the compilers: GCC 10 or later, default g++ and gcc)
#
# A program that parses through contexts alone (SCPI_ContextInit, SCPI_ParseCtx on
# DemoCommandTable) is linked for the Cortex-M4 too: the library's RAM in it, SCPI_Parse's own
# context left out by --gc-sections.
# Every figure is also written as "name value" to build-footprint/figures.txt, which
# scripts/figures.sh publishes in README.md and the manual.
# The instrument layer (instrument/*.cpp) is measured on the Cortex-M4 too: its code without the
# double formatter (response_double.cpp, which float-free firmware never links), the formatter
# alone, and the RAM a session keeps beside its buffers and its parser context.
#
# Exits 1 when a goal is missed: more than 10 KiB of code without tracing on x86-64 (both rule
# sets), a frame above 256 bytes, any recursion; on the Cortex-M4 more than 6656 bytes of parser
# code (both rule sets), more than 268 bytes of parser RAM (SCPI_Parse's own context), more than
# 32 bytes of the library's RAM in the program that parses through contexts, more than 4096 bytes
# of instrument layer code or more than 64 bytes of session RAM; a demo table with data outside
# .rodata; a double-precision routine in a firmware image.
set -euo pipefail
cd "$(dirname "$0")/.."

CXX=${CXX:-g++}
CC=${CC:-gcc}
out=${ORVANE_FOOTPRINT_DIR:-build-footprint}
code_goal=10240
frame_goal=256
flags=(-std=c++17 -Os -DNDEBUG -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
       -fstack-usage -fcallgraph-info=su -Iparser -Iparser/include)

# Sums the sizes of the sections matching a pattern over object files.
sections() {  # pattern, objects...
  local pattern=$1
  shift
  "${SIZE:-size}" -A -d "$@" | awk -v p="$pattern" '$1 ~ p { s += $2 } END { print s + 0 }'
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

figures="$out/figures.txt"
mkdir -p "$out"
: >"$figures"
figure() {  # name value
  echo "$1 $2" >>"$figures"
}
verdict() {  # name value goal: "met" when the value is at most the goal
  if [ "$2" -le "$3" ]; then figure "$1" met; else figure "$1" missed; fi
}

status=0
# A missed size or frame goal; with ORVANE_GOALS=advisory it is reported (and published as a
# verdict) without failing the run.
goal_missed=0
label() {
  case $1 in
    trace) echo "tracing in" ;;
    standard-rules) echo "standard rules" ;;
    *) echo "tracing out" ;;
  esac
}
build() {  # name, trace (0/1), standard rules (0/1)
  local dir="$out/$1"
  rm -rf "$dir"
  mkdir -p "$dir/include/orvane-scpi"
  sed -e "s/@ORVANE_SCPI_CONFIG_TRACE@/$2/" -e "s/@ORVANE_SCPI_CONFIG_STANDARD_RULES@/$3/" \
    cmake/scpi_config.h.in > "$dir/include/orvane-scpi/scpi_config.h"
  for src in parser/*.cpp; do
    "$CXX" "${flags[@]}" -I"$dir/include" -c "$src" -o "$dir/$(basename "$src" .cpp).o"
  done
}

build no-trace 0 0
build trace 1 0
build standard-rules 0 1
mkdir -p "$out/table"
"$CC" -std=c99 -Os -fno-asynchronous-unwind-tables -Iparser/include -I"$out/no-trace/include" \
  -c commands/demo_commands.c \
  -o "$out/table/demo_commands.o"
# The demo table's header index, derived as orvane_scpi_add_table derives it.
mkdir -p "$out/index"
cat >"$out/index/demo_tables.c" <<'EOF'
#include <orvane-scpi/scpi_table.h>
extern const SScpiTable DemoCommandTable;
const SCmdIndex DemoCommandTableIndex = {0};
const SScpiTable* const ScpiIndexTables[] = {&DemoCommandTable, NULL};
const char* const ScpiIndexTableNames[] = {"DemoCommandTable", NULL};
EOF
"$CC" -std=c99 -DORVANE_SCPI_TABLE_INDEXED -Iparser/include -I"$out/no-trace/include" \
  cmake/scpi_table_index.c commands/demo_commands.c "$out/index/demo_tables.c" \
  -o "$out/index/table_index"
"$out/index/table_index" "$out/index/demo_commands_index.c"
"$CC" -std=c99 -Os -fno-asynchronous-unwind-tables -Iparser/include -I"$out/no-trace/include" \
  -c "$out/index/demo_commands_index.c" -o "$out/index/demo_commands_index.o"

echo "Parser library footprint ($("$CXX" --version | head -1), x86-64, -Os)"
printf '%-22s %8s %8s %8s %12s\n' "build" ".text" ".rodata" "RAM" "worst frame"
worst_frame=0
for variant in no-trace trace standard-rules; do
  dir="$out/$variant"
  objs=("$dir"/*.o)
  text=$(sections '^\\.text' "${objs[@]}")
  rodata=$(sections '^\\.rodata' "${objs[@]}")
  ram=$(sections '^\\.(data|bss)' "${objs[@]}")
  frame=$(cut -f2 "$dir"/*.su | sort -n | tail -1)
  printf '%-22s %8d %8d %8d %12d\n' "$(label "$variant")" "$text" "$rodata" "$ram" \
    "$frame"
  figure "x86.$variant.code" "$text"
  figure "x86.$variant.const" "$rodata"
  figure "x86.$variant.ram" "$ram"
  figure "x86.$variant.frame" "$frame"
  [ "$variant" = no-trace ] && verdict goal.x86.code "$text" "$code_goal"
  [ "$variant" = no-trace ] && [ "$text" -gt "$code_goal" ] && {
    echo "  GOAL MISSED: more than $code_goal bytes of code without tracing"; goal_missed=1; }
  [ "$frame" -gt "$worst_frame" ] && worst_frame=$frame
  [ "$frame" -gt "$frame_goal" ] && {
    echo "  GOAL MISSED: a frame above $frame_goal bytes:"
    sort -t$'\t' -k2 -n "$dir"/*.su | tail -3 | sed 's/^/    /'; goal_missed=1; }
done
# "name code const ram" of a table's objects, printed and recorded.
table_row() {  # label, figure name, objects...
  local label=$1 name=$2
  shift 2
  local code const ram
  code=$(sections '^\\.text' "$@")
  const=$(sections '^\\.(rodata|data\\.rel\\.ro)' "$@")
  ram=$(sections '^\\.(data|bss)$' "$@")
  printf '%-22s %8d %8d %8d\n' "$label" "$code" "$const" "$ram"
  figure "$name.code" "$code"
  figure "$name.const" "$const"
  figure "$name.ram" "$ram"
}
verdict goal.x86.frame "$worst_frame" "$frame_goal"
table_row "demo command table" x86.table "$out"/table/*.o
table_row "  its header index" x86.index "$out"/index/*.o

recursion=met
for variant in no-trace trace standard-rules; do
  dir="$out/$variant"
  edges=$(graph "$dir" | awk '$1 == "E" { print $2, $3 }')
  self=$(awk '$1 == $2' <<<"$edges")
  if [ -n "$self" ] || ! tsort <<<"$edges" >/dev/null 2>"$dir/tsort.err"; then
    recursion=missed
    echo "RECURSION ($(label "$variant")):"
    sed 's/^/  /' <<<"$self"
    sed 's/^/  /' "$dir/tsort.err"
    status=1
  else
    read -r top depth < <(deepest "$dir")
    figure "x86.$variant.stack" "$depth"
    echo "$(label "$variant"): no recursion; deepest stack $depth bytes, from" \
      "$(c++filt "$top" | sed 's/(.*//')"
  fi
done
figure goal.x86.recursion "$recursion"
# ---- Cortex-M ----

m4_code_goal=6656
m4_ram_goal=268
m4_context_ram_goal=32
m4_layer_code_goal=4096
m4_session_ram_goal=64
# Double-precision helpers of the Arm run-time ABI and of libgcc: arithmetic, comparisons and
# conversions to and from double.
double_routines='^__(aeabi_(d[a-z0-9]+|[a-z0-9]+2d)|[a-z]+df[23]|float[a-z]*df|fix[a-z]*df[a-z]*|extendsfdf2|truncdfsf2)$'

if ! command -v arm-none-eabi-gcc >/dev/null; then
  echo "Cortex-M: arm-none-eabi-gcc not found (scripts/install-deps.sh installs it); not measured"
  exit $status
fi
echo
echo "Cortex-M footprint ($(arm-none-eabi-gcc --version | head -1), -Os, thumb, tracing out)"
printf '%-28s %8s %11s %8s\n' "build" "code" "const data" "RAM"
SIZE=arm-none-eabi-size
cortex_row() {  # label, figure name, code, const data, RAM
  printf '%-28s %8d %11d %8d\n' "$1" "$3" "$4" "$5"
  figure "$2.code" "$3"
  figure "$2.const" "$4"
  figure "$2.ram" "$5"
}
cortex_status=0
for cpu in m4 m0; do
  dir=build-cortex-$cpu
  # The libraries and the image it measures, whatever was built before.
  cmake --preset cortex-$cpu >/dev/null
  cmake --build "$dir" --target scpi_parser scpi_demo_commands firmware >/dev/null
  parser=$dir/parser/liborvane-scpi.a
  table=$dir/commands/liborvane-scpi-demo-commands.a
  image=$dir/tests/firmware/firmware.elf
  code=$(sections '^\\.text' "$parser")
  ram=$(sections '^\\.(data|bss)' "$parser")
  cortex_row "parser, Cortex-${cpu^^}" "$cpu.parser" "$code" "$(sections '^\\.rodata' "$parser")" \
    "$ram"
  cortex_row "demo command table" "$cpu.table" "$(sections '^\\.text' "$table")" \
    "$(sections '^\\.rodata' "$table")" "$(sections '^\\.(data|bss)' "$table")"
  cortex_row "firmware image" "$cpu.image" "$(sections '^\\.(isr_vector|text)$' "$image")" \
    "$(sections '^\\.(rodata|ARM\\.exidx)$' "$image")" "$(sections '^\\.(data|bss)$' "$image")"
  # SCPI_ParamToDouble with its integer tenth: what a firmware that reads no double leaves out.
  double_code=0
  while read -r size; do
    double_code=$((double_code + 16#$size))
  done < <(arm-none-eabi-nm -S "$parser" | awk '$3 ~ /^[Tt]$/ && $4 ~ /ParamToDouble|MulTenth/ { print $2 }')
  figure "$cpu.double.code" "$double_code"
  if [ "$cpu" = m4 ]; then
    m4_code=$code
    m4_ram=$ram
    # The instrument layer, its objects apart: the double formatter on its own line.
    layer_dir=$out/instrument-m4
    rm -rf "$layer_dir"
    mkdir -p "$layer_dir"
    (cd "$layer_dir" && arm-none-eabi-ar x "$OLDPWD/$dir/instrument/liborvane-scpi-instrument.a")
    layer_objs=()
    for obj in "$layer_dir"/*.o*; do
      [[ $obj == *response_double* ]] && double_obj=$obj || layer_objs+=("$obj")
    done
    m4_layer_code=$(sections '^\\.text' "${layer_objs[@]}")
    printf '%-28s %8d %11d %8d\n' "instrument layer" "$m4_layer_code" \
      "$(sections '^\\.rodata' "${layer_objs[@]}")" "$(sections '^\\.(data|bss)' "${layer_objs[@]}")"
    printf '%-28s %8d %11d %8d\n' "  its double formatter" "$(sections '^\\.text' "$double_obj")" \
      "$(sections '^\\.rodata' "$double_obj")" "$(sections '^\\.(data|bss)' "$double_obj")"
    # A session's own RAM beside its buffers, and its parser context, as the compiler lays them out.
    printf '#include <orvane-scpi/scpi_instrument.h>\nchar acSessionOwn[sizeof(SScpiSession) - sizeof(SScpiContext)];\nchar acContext[sizeof(SScpiContext)];\n' \
      >"$layer_dir/session_size.c"
    arm-none-eabi-gcc -mcpu=cortex-m4 -mthumb -std=c99 -Iparser/include -Iinstrument/include \
      -I"$dir/include" -c "$layer_dir/session_size.c" -o "$layer_dir/session_size.o"
    read -r m4_session_ram m4_context_size < <(arm-none-eabi-nm -S --radix=d \
      "$layer_dir/session_size.o" | awk '$4 == "acSessionOwn" { s = $2 + 0 }
                                        $4 == "acContext" { c = $2 + 0 } END { print s, c }')
    printf '%-28s %8s %11s %8d\n' "  a session, beside buffers" "" "" "$m4_session_ram"
    printf '%-28s %8s %11s %8d\n' "  its parser context" "" "" "$m4_context_size"
  fi
  # Without position-independent code the table's pointers are constants: nothing for RAM.
  outside=$(arm-none-eabi-size -A -d "$table" | awk '$1 ~ /^\.(data|bss)/ && $2 > 0 { print "    " $1, $2 }')
  if [ -n "$outside" ]; then
    echo "  GOAL MISSED: the demo table keeps data outside .rodata:"
    echo "$outside"
    cortex_status=1
  fi
  doubles=$(arm-none-eabi-nm "$image" | awk '{ print $NF }' | grep -E "$double_routines" || true)
  if [ -n "$doubles" ]; then
    echo "  GOAL MISSED: the firmware image links double-precision routines:" $doubles
    cortex_status=1
  fi
  # The same pattern must find the routines SCPI_ParamToDouble needs, or it proves nothing.
  if ! arm-none-eabi-nm -u "$parser" | awk '{ print $NF }' | grep -qE "$double_routines"; then
    echo "  the double-routine check finds none of the routines SCPI_ParamToDouble needs"
    cortex_status=1
  fi
done
# A program that parses through contexts alone: the library's RAM in it (the context itself is
# the program's). The map file names the object each .data and .bss input section comes from.
context_dir=build-cortex-m4/context-only
mkdir -p "$context_dir"
cmake --build build-cortex-m4 --target scpi_parser scpi_demo_commands >/dev/null
cat >"$context_dir/main.c" <<'EOF'
#include <orvane-scpi/demo_commands.h>
SScpiContext sInterface;
void Reset_Handler(void) {
  static const char acLine[] = "*RST;SYST:ERR?";
  const char* p = acLine;
  SParam sParam[MAX_PARAMS];
  uint32_t uiSuf[MAX_NUM_SUFFIX];
  uint8_t ucCmd, ucCnt;
  SCPI_ContextInit(&sInterface, &DemoCommandTable, SCPI_RULES_LIBRARY);
  while (SCPI_ParseCtx(&sInterface, &p, acLine + sizeof acLine - 1, 0, &ucCmd, sParam, &ucCnt,
                       uiSuf) != SCPI_ERR_NO_COMMAND) {
  }
  for (;;) {
  }
}
EOF
arm-none-eabi-gcc -mcpu=cortex-m4 -mthumb -Os -ffunction-sections -fdata-sections \
  -Iparser/include -Ibuild-cortex-m4/include "$context_dir/main.c" -Lbuild-cortex-m4/commands \
  -Lbuild-cortex-m4/parser -lorvane-scpi-demo-commands -lorvane-scpi --specs=nano.specs \
  --specs=nosys.specs -nostartfiles -Wl,--gc-sections -Wl,-e,Reset_Handler \
  -Wl,-Map="$context_dir/context.map" -o "$context_dir/context.elf"
m4_context_ram=0
for hex in $(awk '/^\.(data|bss)/ { in_ram = 1; next } /^\.[a-zA-Z]/ { in_ram = 0 }
  in_ram && $2 ~ /^0x/ && $3 ~ /^0x/ && /liborvane-scpi/ { print $3 }' "$context_dir/context.map"); do
  m4_context_ram=$((m4_context_ram + hex))
done
echo "Cortex-M4 parser: $m4_code bytes of code (goal at most $m4_code_goal), $m4_ram bytes of RAM" \
  "(at most $m4_ram_goal); $m4_context_ram bytes of the library's RAM in a program that parses" \
  "through contexts alone (at most $m4_context_ram_goal)"
verdict goal.m4.code "$m4_code" "$m4_code_goal"
verdict goal.m4.ram "$m4_ram" "$m4_ram_goal"
verdict goal.m4.context_ram "$m4_context_ram" "$m4_context_ram_goal"
figure m4.context_ram "$m4_context_ram"
[ "$m4_context_ram" -gt "$m4_context_ram_goal" ] && {
  echo "  GOAL MISSED: library RAM with contexts alone"; goal_missed=1; }
[ "$m4_code" -gt "$m4_code_goal" ] && { echo "  GOAL MISSED: parser code on the Cortex-M4"; goal_missed=1; }
[ "$m4_ram" -gt "$m4_ram_goal" ] && { echo "  GOAL MISSED: parser RAM on the Cortex-M4"; goal_missed=1; }
echo "Cortex-M4 instrument layer: $m4_layer_code bytes of code without the double formatter" \
  "(goal at most $m4_layer_code_goal), $m4_session_ram bytes of RAM per session beside its" \
  "buffers and its $m4_context_size-byte parser context (at most $m4_session_ram_goal)"
figure m4.layer_code "$m4_layer_code"
figure m4.session_ram "$m4_session_ram"
figure m4.context_size "$m4_context_size"
verdict goal.m4.layer_code "$m4_layer_code" "$m4_layer_code_goal"
verdict goal.m4.session_ram "$m4_session_ram" "$m4_session_ram_goal"
[ "$m4_layer_code" -gt "$m4_layer_code_goal" ] && {
  echo "  GOAL MISSED: instrument layer code on the Cortex-M4"; goal_missed=1; }
[ "$m4_session_ram" -gt "$m4_session_ram_goal" ] && {
  echo "  GOAL MISSED: session RAM on the Cortex-M4"; goal_missed=1; }
if [ "$cortex_status" -eq 0 ]; then
  echo "Checked: the demo table is all .rodata, and the firmware images link no double-precision" \
    "routine (nm)"
fi
[ "$cortex_status" -eq 0 ] || status=1
[ "$goal_missed" -eq 1 ] && [ "${ORVANE_GOALS:-}" != advisory ] && status=1
exit $status
