#!/usr/bin/env bash
# Speed of Pagora against peer tools on the same input; prints the ratios.
#   page load:  open a page of 10,000 items into the grid model vs iconv of the file
#   field write: one write in a page of 100 and of 10,000 items (should not grow)
#   import:     200 pictures of 3000 x 2000 with thumbnails vs vipsthumbnail
#   zip output: a page of 300 items with 300 pictures of about 300 KB vs Info-ZIP and cp -r
#   html:       generation time per item at 1,000 and 10,000 items (should not grow)
#   mht:        the same page as MHT vs base64 -w 76 of its pictures
#   package:    the same page as a package vs zip -r -6 -n of the same folder
#   book:       a book of 50 pages as ZIP, seconds per page
#   pdf:        200 page pictures bound into a PDF vs img2pdf
#   bulk:       a bulk command per item at 500 and 5,000 items (should not grow)
#   search:     1,000 saved pages of 100 items vs grep -l over them in UTF-8
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh" bench
bash "$root/scripts/build.sh" >/dev/null
bench="$root/build/bin/pagora_bench"
data="$root/build/bench-data"
mkdir -p "$data"

best_of() {  # best wall time in seconds of 15 runs of a command
  local best=999999 start end t
  for _ in $(seq 15); do
    start=$(date +%s.%N); "$@" >/dev/null 2>&1; end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    best=$(echo "if ($t < $best) $t else $best" | bc -l)
  done
  printf '%.6f\n' "$best"
}
ratio() { printf '%.2f' "$(echo "$1 / $2" | bc -l)"; }

page="$data/page-10000.pgt"
[ -f "$page" ] || "$bench" make-page "$page" 10000
ours=$("$bench" load "$page" 2>/dev/null)
peer=$(best_of iconv -f GB18030 -t UTF-8 "$page")
echo "page load, 10,000 items ($(wc -l <"$page") lines): pagora ${ours}s, iconv ${peer}s, ratio $(ratio "$ours" "$peer") (target <= 3)"

small=$("$bench" field-write 100)
large=$("$bench" field-write 10000)
echo "one field write: 100 items ${small}s, 10,000 items ${large}s, ratio $(ratio "$large" "$small") (target about 1)"

pictures="$data/pictures"
"$bench" make-pictures "$pictures" 200
ours=$("$bench" import "$pictures" 2>/dev/null)
out="$data/vips-out"
rm -rf "$out"; mkdir -p "$out"
peer=$(best_of vipsthumbnail --size x161 -o "$out/%s.v" "$pictures"/*.jpg)
echo "import 200 pictures 3000x2000 with thumbnails: pagora ${ours}s, vipsthumbnail ${peer}s, ratio $(ratio "$ours" "$peer") (target <= 1.0)"

catalog="$data/catalog"
"$bench" make-photos "$catalog/photos" 300
rm -rf "$catalog/out/BENCH"   # outputs of an earlier run lying in the folder would be packed too
ours=$("$bench" generate "$catalog" zip 2>/dev/null)
"$bench" generate "$catalog" html >/dev/null 2>&1   # the same HTML and pictures as a folder
folder="$catalog/out/BENCH"
# Each peer run starts from nothing, as ours does.
stored=$(cd "$folder" && best_of sh -c "rm -f '$data/peer.zip' && zip -q -r -6 -n .jpg:.jpeg:.gif '$data/peer.zip' .")
deflated=$(cd "$folder" && best_of sh -c "rm -f '$data/peer.zip' && zip -q -r -6 '$data/peer.zip' .")
copied=$(best_of sh -c "rm -rf '$data/copy' && cp -r '$folder' '$data/copy'")
echo "zip output, 300 items and pictures: pagora ${ours}s; zip -n ${stored}s ratio $(ratio "$ours" "$stored") (target <= 1.1); zip -6 ${deflated}s ratio $(ratio "$ours" "$deflated") (target <= 0.5); cp -r ${copied}s ratio $(ratio "$ours" "$copied") (target <= 1.5)"

small=$("$bench" html-per-item 1000)
large=$("$bench" html-per-item 10000)
echo "html generation per item: 1,000 items ${small}s, 10,000 items ${large}s, ratio $(ratio "$large" "$small") (target about 1)"

ours=$("$bench" generate "$catalog" mht 2>/dev/null)
peer=$(best_of sh -c "cat '$catalog'/photos/*.jpg | base64 -w 76")
echo "mht output, 300 pictures: pagora ${ours}s, base64 -w 76 ${peer}s, ratio $(ratio "$ours" "$peer") (target <= 1.5)"

rm -rf "$catalog/out/BENCH"   # an earlier output lying in the folder would be packed too
ours=$("$bench" generate "$catalog" pga 2>/dev/null)
"$bench" generate "$catalog" pga-source >/dev/null 2>&1   # the folder the package holds
peer=$(cd "$catalog/out/BENCH" && best_of sh -c "rm -f '$data/peer.zip' && zip -q -r -6 -n .jpg:.jpeg:.gif '$data/peer.zip' catalog.pgt images")
echo "package, 300 pictures: pagora ${ours}s, zip -r -6 -n ${peer}s, ratio $(ratio "$ours" "$peer") (target <= 1.1)"

perpage=$("$bench" book-zip "$catalog" 50 2>/dev/null)
echo "book of 50 pages as ZIP: ${perpage}s per page"

mkdir -p "$data/pdf"
ours=$("$bench" pdf "$catalog/photos" "$data/pdf" 200)
ls "$catalog"/photos/*.jpg | head -n 200 > "$data/pdf/list.txt"
peer=$(best_of sh -c "xargs -a '$data/pdf/list.txt' -d '\n' img2pdf -o '$data/pdf/peer.pdf'")
echo "pdf of 200 pictures: pagora ${ours}s, img2pdf ${peer}s, ratio $(ratio "$ours" "$peer") (target <= 1.0)"

small=$("$bench" bulk 500)
large=$("$bench" bulk 5000)
echo "bulk number-prefix per item: 500 items ${small}s, 5,000 items ${large}s, ratio $(ratio "$large" "$small") (target about 1)"

saved="$data/saved"
[ -f "$saved/app/history.txt" ] || "$bench" make-saved-pages "$saved" 1000
ours=$("$bench" search "$saved" 独一无二的关键字 2>/dev/null)
if [ ! -d "$saved/utf8" ]; then
  mkdir -p "$saved/utf8"
  for f in "$saved"/pages/*.pgt; do iconv -f GB18030 -t UTF-8 "$f" > "$saved/utf8/$(basename "$f")"; done
fi
peer=$(best_of sh -c "grep -l 独一无二的关键字 '$saved'/utf8/*.pgt")
echo "search 1,000 pages of 100 items: pagora ${ours}s, grep -l ${peer}s, ratio $(ratio "$ours" "$peer") (target <= 3)"
