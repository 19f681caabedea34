#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Installs the build into a temporary DESTDIR with the prefix /usr, then checks
# the file list, looks a word up with the installed kvel-lookup in the
# installed dictionary, and validates the desktop entry and the metainfo.
# Usage: check-install.sh BUILD_DIR
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)

for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/bootstrap installs it)"; exit 1; }
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
root=$tmp/root
usr=$root/usr
DESTDIR=$root cmake --install "$build" --prefix /usr --component kvel >/dev/null

fail() { echo "FAIL: $*"; exit 1; }

while read -r file; do
  [[ -z $file || $file == \#* ]] && continue
  [[ -f $usr/$file ]] || fail "not installed: /usr/$file"
done <"$here/expected-files.txt"
for program in kvel kvel-lookup kvel-dict kvel-native-host; do
  [[ -x $usr/bin/$program ]] || fail "/usr/bin/$program is not executable"
done

outside=$(cd "$root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[[ -z $outside ]] || fail "installed outside /usr: $outside"
# The build's own settings (autostart and browser item off) stay in the build.
leftovers=$(cd "$usr" && find . -name 'kvel.ini*' -o -name 'kvel-bench*')
[[ -z $leftovers ]] || fail "installed but build-only: $leftovers"

# The PNG icon is 48x48: width and height are the 4-byte numbers at offset 16.
size=$(od -An -tu1 -j16 -N8 "$usr/share/icons/hicolor/48x48/apps/kvel.png" | tr -s ' ')
[[ $size == " 0 0 0 48 0 0 0 48" ]] || fail "kvel.png is not 48x48 (bytes:$size)"

# No home folder or system data: only the installation's share folder.
mkdir -p "$tmp/home/.config" "$tmp/home/.local/share"
output=$(env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$tmp/home" \
  XDG_CONFIG_HOME="$tmp/home/.config" XDG_DATA_HOME="$tmp/home/.local/share" \
  XDG_DATA_DIRS="$usr/share" "$usr/bin/kvel-lookup" house) ||
  fail "installed kvel-lookup house: status $?: $output"
grep -q 'kuća' <<<"$output" || fail "installed kvel-lookup house did not find kuća: $output"

desktop=$usr/share/applications/kvel.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate kvel.desktop"
for line in Exec=kvel Icon=kvel StartupWMClass=kvel 'Categories=Office;Dictionary;'; do
  grep -qxF "$line" "$desktop" || fail "kvel.desktop lacks $line"
done
for key in Name GenericName Comment; do
  grep -q "^$key\[sr\]=" "$desktop" || fail "kvel.desktop lacks a Serbian $key"
done

appstreamcli validate --no-net "$usr/share/metainfo/org.kvel.Kvel.metainfo.xml" ||
  fail "appstreamcli validate org.kvel.Kvel.metainfo.xml"
echo "install layout OK"
