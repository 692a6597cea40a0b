#!/usr/bin/env bash
# Installs the Debian packages the build needs; as non-root, names the apt-get line instead.
set -euo pipefail
pkgs=(cmake g++ make pkg-config python3 libgtest-dev libgmock-dev libbenchmark-dev
      libxml2-dev libxml2-utils libicu-dev libcli11-dev libsimpleini-dev
      nlohmann-json3-dev libtinyobjloader-dev jq qt6-base-dev valgrind)
missing=()
for p in "${pkgs[@]}" "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
else
  echo "missing packages; run: sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
