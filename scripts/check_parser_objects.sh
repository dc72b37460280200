#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the parser library's object files for what a heap-free, exception-free library without
# static constructors must not contain:
#   allocation   references to the malloc family, operator new/delete, strdup, std::string;
#   exception    references to the exception runtime (__cxa_*, the C++ personality routine,
#                _Unwind_*, std::__throw_*), or exception tables;
#   static-init  static initialisers (.init_array/.ctors sections, _GLOBAL__sub_I_ functions).
# References to memcpy, strlen and the like, to the command table and between the library's own
# objects are fine.
#
#   scripts/check_parser_objects.sh <library.a | object.o>...
#
# Prints one FORBIDDEN line per finding and exits 1 if there is any, 2 on a usage error.
set -euo pipefail
if [ $# -eq 0 ]; then
  echo "usage: $0 <library.a | object.o>..." >&2
  exit 2
fi
for f in "$@"; do
  [ -r "$f" ] || { echo "$0: cannot read $f" >&2; exit 2; }
done

allocation='^(malloc|calloc|realloc|reallocarray|free|aligned_alloc|posix_memalign|memalign|valloc|pvalloc|strdup|strndup|_Zn[wa].*|_Zd[la].*|_ZNSs.*|_ZNSt7__cxx1112basic_string.*)$'
exception='^(__cxa_.*|__gxx_personality_v0|_Unwind_.*|_ZSt[0-9]+__throw_.*)$'
static_init='^_GLOBAL__sub_I_'
init_sections='\.(init_array|preinit_array|ctors)(\.|$)'
except_sections='\.gcc_except_table'

findings=0
declare -A categories=()
report() {  # category, object, what
  echo "FORBIDDEN $1: $2: $3"
  findings=$((findings + 1))
  categories[$1]=1
}

# nm -P -A: "<archive>[<object>]: <symbol> <type> ..." or "<object>: <symbol> <type> ...".
symbols=$(nm -P -A "$@" 2>/dev/null || true)
if [ -z "$symbols" ]; then
  echo "$0: nm found no symbols in $*" >&2
  exit 2
fi
while read -r object symbol type _; do
  object=${object%:}
  if [ "$type" = U ]; then
    if [[ $symbol =~ $allocation ]]; then report allocation "$object" "$symbol"; fi
    if [[ $symbol =~ $exception ]]; then report exception "$object" "$symbol"; fi
  elif [[ $symbol =~ $static_init ]]; then
    report static-init "$object" "$symbol"
  fi
done <<<"$symbols"

# readelf -S -W: "File: <archive>(<object>)" before each object's section table.
object=$1
while read -r line; do
  if [[ $line == File:* ]]; then object=${line#File: }; continue; fi
  name=$(sed -E 's/^\[ *[0-9]+\] +//' <<<"$line" | awk '{print $1}')
  if [[ $name =~ $init_sections ]]; then report static-init "$object" "section $name"; fi
  if [[ $name =~ $except_sections ]]; then report exception "$object" "section $name"; fi
done < <(readelf -S -W "$@" | grep -E '^File:|^ *\[ *[0-9]+\]')

objects=$(nm -P -A "$@" 2>/dev/null | sed -E 's/:.*//' | sort -u | wc -l)
if [ "$findings" -ne 0 ]; then
  echo "$findings forbidden references or sections in $objects object files;" \
       "kinds: $(printf '%s\n' "${!categories[@]}" | sort | tr '\n' ' ')"
  exit 1
fi
echo "clean: $objects object files reference no allocation, exception machinery or static initialiser"
