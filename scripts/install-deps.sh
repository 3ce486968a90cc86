#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with.
# Does nothing when they are all present, so repeated runs stay fast.
#   --measure  also the tools of measurements outside the tests: the offline speech
#              recogniser of bench/speech-wer.sh (never used by the program or test.sh)
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libsndfile1-dev libspeexdsp-dev libsoundtouch-dev sox
  festival festvox-us-slt-hts espeak-ng
  clang libclang-rt-14-dev
  fonts-freefont-ttf fonts-liberation2
  librsvg2-bin desktop-file-utils appstream dpkg-dev file groff-base
  lintian
  xvfb xauth scrot
  pipewire pipewire-bin wireplumber pipewire-pulse dbus-daemon
)
if [ "${1:-}" = --measure ]; then
  packages+=(pocketsphinx pocketsphinx-en-us)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
