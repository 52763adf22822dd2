#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks it: desktop entry, AppStream metadata,
# lintian. Any error fails; warnings are shown. Usage: check-package.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/dorv_*.deb)
echo "package: $(basename "$deb")"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
dpkg-deb -x "$deb" "$work/root"

status=0
echo "--- desktop-file-validate"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop || status=1
echo "--- appstreamcli validate"
appstreamcli validate --no-net --explain "$work"/root/usr/share/metainfo/*.metainfo.xml || status=1
echo "--- lintian"
# Errors fail; each override in lintian-overrides says why it is there.
lintian --tag-display-limit 0 --suppress-tags-from-file "$here/lintian-overrides" "$deb" \
  | tee "$work/lintian.txt" || true
if grep -q '^E:' "$work/lintian.txt"; then status=1; fi
for program in dorv dorv-cli dorv-sim; do
  [ -x "$work/root/usr/bin/$program" ] || { echo "missing /usr/bin/$program"; status=1; }
  [ -f "$work/root/usr/share/man/man1/$program.1.gz" ] || { echo "missing man page of $program"; status=1; }
done
[ -d "$work/root/usr/share/dorv" ] || { echo "missing /usr/share/dorv"; status=1; }
# The chart module, where the installed program looks for it, and nothing of Qt Charts in the
# program itself.
module=$(find "$work/root/usr/lib" -name dorv_charts.so)
[ "$module" = "$work/root/usr/lib/dorv/modules/dorv_charts.so" ] ||
  { echo "chart module not in /usr/lib/dorv/modules: $module"; status=1; }
if objdump -p "$work/root/usr/bin/dorv" | grep -q 'NEEDED.*Charts'; then
  echo "/usr/bin/dorv links Qt Charts"; status=1
fi
objdump -p "$module" | grep -q 'NEEDED.*libQt6Charts' || { echo "the chart module does not link Qt Charts"; status=1; }
# The manuals Help > Contents opens from the installed package.
for manual in DORV_manual_en.pdf DORV_manual_cz.pdf; do
  [ -s "$work/root/usr/share/dorv/$manual" ] || { echo "missing /usr/share/dorv/$manual"; status=1; }
done
exit $status
