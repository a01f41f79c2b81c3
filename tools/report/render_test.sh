#!/bin/sh
# render: a template with every object kind to PDF, PNG and .frp; the PDF's
# text reads back; the .frp renders to the same PNG pages; a damaged .frp
# fails with its message.
set -eu
tool="$1"; source="$2"; values="$3"; work="$4"
rm -rf "$work"; mkdir -p "$work"
"$tool" build "$source" "$work/t.frf"
"$tool" render "$work/t.frf" --records frUserDataset1=3 --values "$values" \
  --pdf "$work/t.pdf" --png "$work/png" --frp "$work/t.frp" > "$work/out.txt"
grep -q "1 page(s)" "$work/out.txt"
pdftotext -enc UTF-8 "$work/t.pdf" "$work/t.txt"
for text in "利用者一覧" "山田 太郎 様" "ﾔﾏﾀﾞ ﾀﾛｳ" "1 / 1"; do
  grep -q "$text" "$work/t.txt" || { echo "the PDF lacks \"$text\""; exit 1; }
done
[ "$(grep -c "山田 太郎 様" "$work/t.txt")" = 3 ] || { echo "three records expected"; exit 1; }
"$tool" render "$work/t.frp" --png "$work/png2" --pdf "$work/t2.pdf" > /dev/null
cmp "$work/png/page-001.png" "$work/png2/page-001.png"
head -c 30 "$work/t.frp" > "$work/cut.frp"
if "$tool" render "$work/cut.frp" --pdf "$work/cut.pdf" 2> "$work/cut.err"; then echo "a damaged file rendered"; exit 1; fi
grep -q "damaged" "$work/cut.err"
