#!/bin/bash
# Installs the Debian packages that building and testing ostrand need, when
# any is missing. Run as root to install; otherwise it only says what is
# missing.
set -euo pipefail

packages=(g++ cmake make pkg-config libglib2.0-dev libdbus-glib-1-dev
          libdbus-1-dev dbus-daemon dbus-bin libgtest-dev libgmock-dev
          dpkg-dev file)

# This machine's own architecture: after the card's cross build a package
# may be installed for armhf as well, which does not count here.
arch=$(dpkg --print-architecture)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${db:Status-Status} ${Architecture}\n' "$package" \
      2>/dev/null | grep -Eqx "installed ($arch|all)" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "missing Debian packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi
echo "Installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
