#!/bin/sh
# Covers: `velmora-tool number` end to end: the three columns (ToNumber with %.17g,
# the 64-bit truncation, its low 32 bits), raw GBK arguments (full-width digits and
# the ideographic space), infinities and wrapping.
set -eu
tool=$1
gbk_12_3=$(printf '\243\261\243\262\241\241\243\263')
actual=$("$tool" number 440 "   440" 440Hz 1e999 -1e999 -1.7 4294967297 2147483648 "" "$gbk_12_3" 1d3 .5 0x1A)
expected=$(printf '%s\n' \
  "440	440	440" "440	440	440" "440	440	440" \
  "inf	-9223372036854775808	0" "-inf	-9223372036854775808	0" \
  "-1.7	-1	-1" "4294967297	4294967297	1" "2147483648	2147483648	-2147483648" \
  "0	0	0" "12	12	12" "1000	1000	1000" "0.5	0	0" "0	0	0")
if [ "$actual" != "$expected" ]; then
  echo "expected:"; echo "$expected"; echo "actual:"; echo "$actual"
  exit 1
fi
