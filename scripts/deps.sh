#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when
# any of them is missing. Safe to run again.
set -euo pipefail

packages=(g++ cmake make libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev qt6-qpa-plugins
          fonts-liberation xvfb xauth libcli11-dev libtinyxml2-dev libcadical-dev poppler-utils
          clang libclang-rt-14-dev desktop-file-utils pkg-config)
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
