#!/usr/bin/env bash
# Writes the whole-process benchmark's sources into the folder given:
#   full.txt  a full program: 480 named registers, 500 labels, each jumping forward to the next
#             label and to one 50 labels on, and calling back to an earlier one (9 000 steps);
#   one.txt   a one-line program.
set -euo pipefail
dir=$1
{
  echo "; whole-process benchmark: a full program"
  for ((r = 0; r < 480; r++)); do echo "#reg $((100 + r)) value$r"; done
  for ((i = 0; i < 500; i++)); do
    echo "label$i:"
    echo "  RCL value$((i % 480)) STO value$(((i * 7) % 480)) sin cos ENT"
    if ((i + 1 < 500)); then echo "  GOTO label$((i + 1))"; fi
    if ((i + 50 < 500)); then echo "  x=0 label$((i + 50))"; fi
    echo "  GSB label$((i / 2))"
  done
} >"$dir/full.txt"
echo "1 2 + R/S" >"$dir/one.txt"
