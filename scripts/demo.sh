#!/usr/bin/env bash
# The main job on the shipped samples: installs what is missing, builds, makes a
# quotation page from the sample product pictures with the sample firm's details, and
# generates the catalog from it as a web page folder and as a ZIP archive.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"

demo="$root/build/demo"
rm -rf "$demo"
mkdir -p "$demo/catalog"
# The demo has a data folder of its own, so it never touches the user's settings.
mkdir -p "$demo/app"
cp -r "$root/build/bin/html" "$root/build/bin/css" "$root/build/bin/gif" "$root/build/bin/mid" \
  "$root/build/bin/视觉效果.txt" "$root/build/bin/rarsfx.s" "$demo/app/"
cp "$root/samples/cols1.dat" "$root/samples/cols2.dat" "$demo/app/"
cp -r "$root/samples/pictures" "$demo/catalog/images"

page="$demo/catalog/样品报价.pgt"
cli() { "$root/build/bin/pagora-cli" --appdir "$demo/app" "$@"; }

cli new "$page"
cli set "$page" "{Catalog编号}" "HX-Q2027-018"
cli set "$page" "{Catalog名称}" "2027春季家居样品报价"
cli set "$page" "{客户公司名}" "汉堡北方家居贸易公司"
cli set "$page" "{输出目录}" "$demo/out"
mkdir -p "$demo/out"
cli import "$page" "$demo/catalog/images"

# number, name, price, unit, weight, specification, description of each picture
# (the folder is imported in name order: ball, bottle, box, cup, lamp, vase)
items=(
  "HX-101|弹力玩具球|6.80|个|120|直径 18 cm|环保橡胶<br>多色可选"
  "HX-102|玻璃调味瓶|4.20|个|350|500 ml|高硼硅玻璃<br>配防漏瓶盖"
  "HX-103|瓦楞收纳箱|3.50|个|800|40 × 30 × 25 cm|五层加厚瓦楞纸<br>可折叠"
  "HX-104|陶瓷马克杯|5.60|个|320|350 ml|高温釉面<br>可进洗碗机"
  "HX-105|北欧台灯|38.00|台|1500|高 45 cm|布艺灯罩<br>E27 灯头"
  "HX-106|釉面花瓶|22.00|个|900|高 30 cm|手工上釉<br>适合干花"
)
fields=(number name price unit weight spec desc)
n=0
for item in "${items[@]}"; do
  n=$((n + 1))
  IFS='|' read -r -a values <<<"$item"
  for i in "${!fields[@]}"; do
    cli field "$page" "$n" "${fields[$i]}" "${values[$i]}"
  done
done

echo
echo "Page: $page"
echo "Items (number, picture, then number, name, price, unit, weight, spec, description):"
cli items "$page"
echo
echo "Catalog as a ZIP archive and as a web page folder (open the .htm in a browser):"
# Every output of a page replaces the page's earlier archives, so the ZIP is kept aside.
zip=$(cli output "$page" zip)
mv "$zip" "$demo/"
echo "$demo/$(basename "$zip")"
cli output "$page" html
