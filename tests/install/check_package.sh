#!/usr/bin/env bash
# Makes the Debian package of the build BUILD with scripts/package, checks
# its control fields and contents, unpacks it with dpkg-deb -x into a folder
# of its own and runs the unpacked programs from there: zevo3 --version,
# zevo3 dump of the example it carries, and zevo3tool against the simulated
# unit, which saves a picture of its window.
#   check_package.sh SOURCE BUILD VERSION
set -uo pipefail
source_dir=$1
build=$2
version=$3
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$source_dir/scripts/package" --build "$build" --out "$work/out" || {
    echo "FAIL: scripts/package failed"
    exit 1
}
arch=$(dpkg --print-architecture)
deb="$work/out/zevo3tool_${version}-1_${arch}.deb"
[ -f "$deb" ] || {
    echo "FAIL: no $deb; made: $(ls "$work/out")"
    exit 1
}
[ ! -e "$work/out/_CPack_Packages" ] || fail "CPack's work folder is left beside the package"

# The control fields; the libraries come from dpkg-shlibdeps.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zevo3tool ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version-1" ] || fail "Version: $(field Version)"
[ "$(field Section)" = electronics ] || fail "Section: $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends=$(field Depends)
depended=$(tr ',' '\n' <<<"$depends" | sed -e 's/^ *//' -e 's/ .*//')
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 \
    libqt6printsupport6 libqt6network6; do
    grep -q -x -F "$library" <<<"$depended" || fail "Depends lacks $library: $depends"
done

# The contents: owned by root, below /usr, with the manual pages gzipped.
listing=$(dpkg-deb -c "$deb")
grep -v -q ' root/root ' <<<"$listing" && fail "files not owned by root: $(grep -v ' root/root ' <<<"$listing")"
for path in ./usr/bin/zevo3tool ./usr/bin/zevo3 ./usr/bin/zevo3-sim \
    ./usr/share/applications/org.example.zevo3tool.desktop \
    ./usr/share/metainfo/org.example.zevo3tool.metainfo.xml \
    ./usr/share/mime/packages/zevo3tool.xml ./usr/share/man/man1/zevo3.1.gz \
    ./usr/share/man/man1/zevo3tool.1.gz ./usr/share/bash-completion/completions/zevo3 \
    ./usr/share/icons/hicolor/48x48/apps/zevo3tool.png ./usr/share/doc/zevo3tool/examples/remote.Csv; do
    grep -q -E " $path\$" <<<"$listing" || fail "the package lacks $path"
done
grep -E -v ' \./usr(/|$)' <<<"$listing" | grep -q . && fail "files outside /usr: $listing"

# Unpacked and run from there, not from the build.
unpacked="$work/unpacked"
dpkg-deb -x "$deb" "$unpacked" || fail "dpkg-deb -x failed"
bin="$unpacked/usr/bin"
for program in zevo3 zevo3tool zevo3-sim; do
    if readelf -d "$bin/$program" | grep -E 'R(UN)?PATH'; then fail "$program carries a run path"; fi
    if grep -q -F "$build" < <(readelf -p .interp -p .dynstr "$bin/$program" 2>/dev/null); then
        fail "$program names the build folder among its libraries"
    fi
done
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" QT_QPA_PLATFORM=offscreen
mkdir -m 700 "$XDG_RUNTIME_DIR" "$HOME"
cd "$work" || exit 1

said=$("$bin/zevo3" --version)
[ "$said" = "zevo3 $version" ] || fail "unpacked zevo3 --version says \"$said\""

example="$unpacked/usr/share/doc/zevo3tool/examples/remote.Csv"
"$bin/zevo3" dump "$example" >dump.json || fail "unpacked zevo3 dump of the example: status $?"
grep -q '^{"row":1,"carry":"38.0kHz","frames":"3","comments":"TV 電源"' dump.json ||
    fail "the dump of the example is not its table: $(head -c 200 dump.json)"
[ "$(grep -c '^{"row":' dump.json)" = 70 ] || fail "the dump has not 70 rows"

"$bin/zevo3tool" --simulate --screenshot "$work/window.png" "$example" ||
    fail "unpacked zevo3tool --simulate --screenshot: status $?"
file -b "$work/window.png" | grep -q '^PNG image data, [0-9]* x [0-9]*' ||
    fail "no picture of the window: $(file -b "$work/window.png" 2>&1)"

if [ "$failures" -gt 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "package $(basename "$deb"): all checks passed"
