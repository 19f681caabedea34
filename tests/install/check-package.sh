#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the Debian package from the build into a temporary folder and checks
# its file list and control fields. Usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)

for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/bootstrap installs it)"; exit 1; }
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1 ||
  { cat "$tmp/cpack.log"; exit 1; }

fail() { echo "FAIL: $*"; exit 1; }

debs=("$tmp"/kvel_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "expected one kvel_*.deb, found: ${debs[*]}"
deb=${debs[0]}

# Paths as "./usr/bin/kvel"; directories end with "/".
dpkg-deb -c "$deb" | awk '{print $6}' >"$tmp/files"
outside=$(grep -v -e '^\./$' -e '^\./usr/' "$tmp/files" || true)
[[ -z $outside ]] || fail "files outside /usr: $outside"
while read -r file; do
  [[ -z $file || $file == \#* ]] && continue
  grep -qxF "./usr/$file" "$tmp/files" || fail "not in the package: /usr/$file"
done <"$here/expected-files.txt"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == kvel ]] || fail "Package is '$(field Package)'"
[[ -n $(field Version) ]] || fail "no Version"
[[ -n $(field Description) ]] || fail "no Description"
[[ $(field Maintainer) != *@* ]] || fail "Maintainer names a mail box: $(field Maintainer)"
depends=$(field Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libqt6texttospeech6 \
  libsqlite3-0 zlib1g libx11-6 libmdb3 libhunspell-1.7-0 fonts-liberation qt6-speech-speechd-plugin; do
  grep -qE "(^|[ ,|])$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
recommends=$(field Recommends)
for package in hunspell-sr hunspell-en-us wordnet-base; do
  grep -qE "(^|[ ,|])$package( |,|$)" <<<"$recommends" || fail "Recommends lacks $package: $recommends"
done
# The copyright file must satisfy Debian's checker; other tags (a package made
# by cpack, not dpkg-buildpackage) are not this test's business.
if command -v lintian >/dev/null; then
  lintian --tag-display-limit 0 "$deb" >"$tmp/lintian.log" 2>&1 || true
  if grep -E '^[EWI]: kvel: [a-z-]*copyright' "$tmp/lintian.log"; then
    fail "lintian finds fault with the copyright file"
  fi
else
  fail "lintian is missing (scripts/bootstrap installs it)"
fi
echo "package $(basename "$deb") OK"
