#!/usr/bin/env bash
# Installs the Debian packages the project needs (and any named as arguments), when any is
# missing. Idempotent; needs root (or sudo) only when something has to be installed.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ninja-build clang-format
  libpugixml-dev libcurl4-openssl-dev libcpp-httplib-dev libsqlite3-dev
  libhowardhinnant-date-dev nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev
  sqlite3 curl clang libclang-rt-14-dev
  qt6-base-dev libgl-dev fonts-dejavu-core
  postgresql libpq-dev
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}" ||
  { "${sudo_cmd[@]}" apt-get update && "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; }
