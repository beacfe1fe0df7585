#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 (run as root). Quick when all is there.
set -euo pipefail

packages=(
  cmake make g++ python3 pkg-config
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64-x86-64
  wine64 wine xvfb xdotool x11-utils fonts-ipafont fonts-ipafont-gothic fonts-wine locales
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  libxfixes3 libxcursor1
  sox ffmpeg librsvg2-bin imagemagick nsis
  googletest libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
)

# The shipped installer and the 32-bit program are 32-bit programs: Wine runs them with its 32-bit half.
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
packages+=(wine32:i386)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The end-to-end tests run the toy under a Japanese, an English and a German locale.
for locale in ja_JP.UTF-8 en_US.UTF-8 de_DE.UTF-8; do
  if ! locale -a 2>/dev/null | grep -qi "^${locale/UTF-8/utf8}$"; then
    sed -i "s/^# *${locale} UTF-8/${locale} UTF-8/" /etc/locale.gen
    grep -q "^${locale} UTF-8" /etc/locale.gen || echo "${locale} UTF-8" >> /etc/locale.gen
    need_locale_gen=1
  fi
done
if [ "${need_locale_gen:-0}" = 1 ]; then locale-gen; fi
