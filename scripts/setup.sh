#!/usr/bin/env bash
# Installs the Debian packages that building and testing Pagora need.
# Safe to run again: it installs only what is missing. Pass "bench" to add the tools
# the benchmarks compare against, "fuzz" for the fuzzing compiler.
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config libjpeg62-turbo-dev libgif-dev libzip-dev zlib1g-dev libgtest-dev
  python3 fp-utils libchm-bin libhpdf-dev poppler-utils)
for extra in "$@"; do
  case "$extra" in
    bench) packages+=(libvips-tools bc zip img2pdf) ;;
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    *) echo "setup.sh: unknown option '$extra' (use bench or fuzz)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup.sh: run as root or install sudo" >&2; exit 1; }
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
