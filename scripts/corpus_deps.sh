#!/usr/bin/env bash
# Installs the plotting programs and faces that draw the benchmark corpus
# (bench/corpus/make_corpus.py). Only the benchmark needs them; the ordinary
# test run does not. Safe to run again.
set -euo pipefail

packages=(
  python3-matplotlib python3-numpy python3-pil
  gnuplot-nox
  r-base-core r-cran-ggplot2
  texlive-pictures texlive-latex-extra texlive-latex-base poppler-utils
  fonts-dejavu-core fonts-liberation fonts-urw-base35 fonts-lmodern fonts-freefont-ttf
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "corpus_deps: missing packages: ${missing[*]}; run this script as root" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
