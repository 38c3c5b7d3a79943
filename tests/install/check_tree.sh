#!/usr/bin/env bash
# Checks an installed tree (install_prefix.sh): exactly the files an
# installation holds, the programs run from it and carry no run path, the
# desktop entry and the metainfo pass their validators and name what is
# installed, the icons have their sizes, and the manual pages render without
# a warning and describe every option the programs take.
#   check_tree.sh PREFIX VERSION
set -uo pipefail
prefix=$1
version=$2
app_id=org.example.zevo3tool
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The files, all of them; the MIME cache that update-mime-database wrote
# beside the package file is not the installation's.
expected="bin/zevo3
bin/zevo3-sim
bin/zevo3tool
share/applications/$app_id.desktop
share/bash-completion/completions/zevo3
share/doc/zevo3tool/README.md
share/doc/zevo3tool/examples/remote.Csv
share/doc/zevo3tool/examples/remote.ZV3
share/icons/hicolor/128x128/apps/zevo3tool.png
share/icons/hicolor/16x16/apps/zevo3tool.png
share/icons/hicolor/256x256/apps/zevo3tool.png
share/icons/hicolor/32x32/apps/zevo3tool.png
share/icons/hicolor/48x48/apps/zevo3tool.png
share/icons/hicolor/64x64/apps/zevo3tool.png
share/icons/hicolor/scalable/apps/zevo3tool.svg
share/man/man1/zevo3-sim.1.gz
share/man/man1/zevo3.1.gz
share/man/man1/zevo3tool.1.gz
share/metainfo/$app_id.metainfo.xml
share/mime/packages/zevo3tool.xml"
actual=$(cd "$prefix" && find . -type f ! -path './share/mime/*' -printf '%P\n' &&
    find . -path './share/mime/packages/*' -printf '%P\n')
if [ "$(sort <<<"$actual")" != "$(sort <<<"$expected")" ]; then
    fail "installed files differ from the expected ones:"
    diff <(sort <<<"$expected") <(sort <<<"$actual")
fi

# The programs, run from the tree, with a runtime folder of their own.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
for program in zevo3 zevo3tool zevo3-sim; do
    said=$("$prefix/bin/$program" --version)
    [ "$said" = "$program $version" ] || fail "$program --version says \"$said\""
    if readelf -d "$prefix/bin/$program" | grep -E -q 'R(UN)?PATH'; then
        fail "$program carries a run path: $(readelf -d "$prefix/bin/$program" | grep PATH)"
    fi
done

# The desktop entry: valid, and naming the program, icon and type installed.
desktop="$prefix/share/applications/$app_id.desktop"
said=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate failed"
[ -z "$said" ] || fail "desktop-file-validate: $said"
grep -q -x 'Exec=zevo3tool %f' "$desktop" || fail "the desktop entry does not run zevo3tool %f"
grep -q -x 'Icon=zevo3tool' "$desktop" || fail "the desktop entry's icon is not zevo3tool"
mime_type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$prefix/share/mime/packages/zevo3tool.xml")
grep -q -x "MimeType=$mime_type;" "$desktop" || fail "the desktop entry does not open $mime_type"
grep -q -x 'Comment\[ja\]=.*' "$desktop" || fail "the desktop entry has no Japanese comment"

# The metainfo: valid without the network, with no note at all, and naming
# the desktop entry, the programs and this version.
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
said=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) ||
    fail "appstreamcli validate failed: $said"
grep -q -E '^[IWE]:' <<<"$said" && fail "appstreamcli validate: $said"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
for program in zevo3 zevo3tool zevo3-sim; do
    grep -q "<binary>$program</binary>" "$metainfo" || fail "the metainfo does not provide $program"
done
newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -1 | cut -d'"' -f2)
[ "$newest" = "$version" ] || fail "the metainfo's newest release is $newest, not $version"
grep -q '<caption>' "$metainfo" || fail "the metainfo's screenshot has no caption"

# The icons: each PNG its size, and the SVG a well-formed picture.
for size in 16 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/zevo3tool.png"
    file -b "$png" | grep -q "PNG image data, $size x $size," ||
        fail "$png is not a $size-pixel PNG: $(file -b "$png")"
done
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/zevo3tool.svg" || fail "the SVG icon"

# The options a program's --help lists (Qt's own --help-all left out).
help_options() {
    "$prefix/bin/$1" --help 2>/dev/null | grep -o -E '^ +(-[a-z], )?--[a-z-]+' |
        grep -o -E -- '--[a-z-]+' | grep -v -x -- '--help-all'
}

# The manual pages: gzipped, rendering without a groff warning, with a
# NAME line lexgrog reads, the usual sections, and every option of --help.
for page in zevo3 zevo3tool zevo3-sim; do
    gz="$prefix/share/man/man1/$page.1.gz"
    gzip -t "$gz" || fail "$page.1.gz is not gzipped"
    warnings=$(zcat "$gz" | groff -ww -man -z 2>&1)
    [ -z "$warnings" ] || fail "groff warns on $page(1): $warnings"
    lexgrog "$gz" | grep -q -- "\"$page - " || fail "lexgrog reads no NAME line in $page(1)"
    text=$(MANWIDTH=200 man -l "$gz" 2>&1) || fail "man -l $page.1.gz failed"
    sections="NAME SYNOPSIS DESCRIPTION OPTIONS EXIT.STATUS SEE.ALSO"
    [ "$page" = zevo3-sim ] || sections="$sections FILES ENVIRONMENT EXAMPLES"
    for section in $sections; do
        grep -q -E "^${section}\$" <<<"$text" || fail "$page(1) has no section $section"
    done
    for option in $(help_options "$page"); do
        grep -q -E -- "(^| )$option( |,|$)" <<<"$text" || fail "$page(1) does not describe $option"
    done
done
# zevo3(1) describes every command zevo3 has.
commands=$("$prefix/bin/zevo3" --help | sed -n '/^  command /,/^  arguments /p' | sed -e '$d' \
    -e 's/^  command//' | tr -c 'a-z\n' '\n' | grep -v -x -E 'or|' | sort -u)
[ -n "$commands" ] || fail "no commands read from zevo3 --help"
text=$(MANWIDTH=200 man -l "$prefix/share/man/man1/zevo3.1.gz" 2>/dev/null)
for command in $commands; do
    grep -q -E "^ +$command( |$)" <<<"$text" || fail "zevo3(1) does not describe the command $command"
done

if [ "$failures" -gt 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "installed tree: all checks passed"
