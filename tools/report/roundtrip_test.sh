#!/bin/sh
# build -> dump -> build again must give the same template bytes, and a
# damaged file must make dump fail with the engine's message.
set -eu
tool="$1"; source="$2"; work="$3"
mkdir -p "$work"
"$tool" build "$source" "$work/first.frf"
"$tool" dump "$work/first.frf" > "$work/first.txt"
"$tool" build "$work/first.txt" "$work/second.frf"
cmp "$work/first.frf" "$work/second.frf"
"$tool" dump "$work/second.frf" > "$work/second.txt"
# the first line names the file dumped
tail -n +2 "$work/first.txt" > "$work/first.body"
tail -n +2 "$work/second.txt" > "$work/second.body"
cmp "$work/first.body" "$work/second.body"
for kind in memo picture band subreport line checkbox shape; do
  grep -q "^$kind " "$work/first.txt" || { echo "dump lacks a $kind object"; exit 1; }
done
head -c 40 "$work/first.frf" > "$work/cut.frf"
if "$tool" dump "$work/cut.frf" > /dev/null 2> "$work/cut.err"; then echo "a damaged file was dumped"; exit 1; fi
grep -q "Unsupported FRF format" "$work/cut.err"
# check: the example's scripts compile; a broken script is named with its error
"$tool" check "$work/first.frf"
printf 'report\npage paper=9\nmemo "M" bounds=0,0,10,10\n  script "if 1 > 0 x := 1"\n' > "$work/bad.frs"
"$tool" build "$work/bad.frs" "$work/bad.frf"
if "$tool" check "$work/bad.frf" 2> "$work/bad.err"; then echo "a broken script passed the check"; exit 1; fi
grep -q 'Page 1, M: Line 1/10: "then" required' "$work/bad.err"
