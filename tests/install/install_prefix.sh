#!/usr/bin/env bash
# Installs the build BUILD into PREFIX (emptied first) as `cmake --install`
# does for any prefix, then builds the MIME cache there as the system's
# trigger does after a package is installed.
#   install_prefix.sh BUILD PREFIX
set -euo pipefail
build=$1
prefix=$2
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix"
# It says that the prefix is not searched: the tests point to it themselves.
said=$(update-mime-database "$prefix/share/mime" 2>&1) || {
    echo "$said"
    exit 1
}
