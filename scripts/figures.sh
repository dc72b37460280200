#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The size and instruction figures that README.md and the manual publish, kept in one place:
# docs/figures.txt ("name value" lines) is what scripts/footprint.sh and scripts/scaling_bench.sh
# measured, and every published figure stands between the markers <!--fig:NAME--> and
# <!--/fig--> in the documents.
#
#   scripts/figures.sh --update    measure, rewrite docs/figures.txt and every marked figure
#   scripts/figures.sh --check     measure; exit 1 when a figure (a goal's verdict included)
#                                  differs from docs/figures.txt, or a script fails
#   scripts/figures.sh --docs      no measuring: exit 1 when a marked figure differs from
#                                  docs/figures.txt or names none (a ctest case)
#
# With --reuse, --update and --check take the last measurements (build-footprint/figures.txt,
# build-scaling/figures.txt) instead of running the scripts. Sizes are exact for one toolchain
# and instruction counts for one build of the benchmark: measure with the toolchain the
# published figures name (docs/figures.txt says which).
set -euo pipefail
cd "$(dirname "$0")/.."

# Each goal's verdict ("met" or "missed") is a published figure too, so a goal that comes to be
# missed (or met) is a drift that fails --check; the measuring scripts only report the misses.
export ORVANE_GOALS=${ORVANE_GOALS:-advisory}

mode=${1:-}
reuse=${2:-}
published=docs/figures.txt
documents=(README.md docs/manual/*.md)
# Each measuring script and the file it writes its figures to, as "name value" lines. A new
# measurement is one more line here; its figures are then published wherever a document marks
# them.
measurements=(
  "scripts/footprint.sh ${ORVANE_FOOTPRINT_DIR:-build-footprint}/figures.txt"
  "scripts/scaling_bench.sh ${ORVANE_SCALING_BUILD_DIR:-build-scaling}/figures.txt"
)

usage() {
  sed -n '8,12p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

# Replaces (or, with check set, compares) every marked figure of the documents by the value the
# figures file gives its name. Prints each disagreement; exits 1 when there was one.
markers() {  # figures file, check (0/1)
  perl -e '
    my ($file, $check, @docs) = @ARGV;
    my %v;
    open(my $f, "<", $file) or die "cannot read $file\n";
    while (<$f>) { $v{$1} = $2 if /^([\w.-]+) (\S+)$/ }
    my $bad = 0;
    for my $doc (@docs) {
      local $/;
      open(my $in, "<", $doc) or die "cannot read $doc\n";
      my $text = <$in>;
      close $in;
      my $new = $text;
      $new =~ s{<!--fig:([\w.-]+)-->(.*?)<!--/fig-->}{
        my ($name, $old) = ($1, $2);
        if (!exists $v{$name}) { print "$doc: no figure named $name\n"; $bad = 1; $v{$name} = $old }
        elsif ($check && $old ne $v{$name}) {
          print "$doc: $name is $old, measured $v{$name}\n"; $bad = 1;
        }
        "<!--fig:$name-->$v{$name}<!--/fig-->"
      }ge;
      if (!$check && $new ne $text) {
        open(my $out, ">", $doc) or die "cannot write $doc\n";
        print $out $new;
      }
    }
    exit $bad' "$1" "$2" "${documents[@]}"
}

# Runs the measuring scripts (unless reusing) and writes their figures, with the toolchains
# they used, to the file given.
measure() {  # output file
  local status=0 entry script file
  if [ "$reuse" != --reuse ]; then
    for entry in "${measurements[@]}"; do
      read -r script file <<<"$entry"
      "$script" || status=1
    done
  fi
  {
    echo "# Written by scripts/figures.sh --update from the measuring scripts;"
    echo "# $( "${CXX:-g++}" --version | head -1 )," \
      "$(arm-none-eabi-gcc --version 2>/dev/null | head -1 || echo "no arm-none-eabi-gcc")"
    for entry in "${measurements[@]}"; do
      read -r script file <<<"$entry"
      cat "$file"
    done
  } >"$1"
  return $status
}

case $mode in
  --docs)
    markers "$published" 1
    ;;
  --update)
    status=0
    measure "$published" || status=1
    markers "$published" 0
    echo "Wrote $published and the marked figures of ${documents[*]}"
    exit $status
    ;;
  --check)
    status=0
    measured=$(mktemp)
    trap 'rm -f "$measured"' EXIT
    measure "$measured" || status=1
    if ! diff <(grep -v '^#' "$published") <(grep -v '^#' "$measured"); then
      echo "The published figures ($published, < above) differ from the measured ones (>):" \
        "scripts/figures.sh --update writes them"
      status=1
    fi
    markers "$published" 1 || status=1
    exit $status
    ;;
  *)
    usage
    ;;
esac
