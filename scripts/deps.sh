#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build, the program and the tests need,
# only those that are missing.
set -euo pipefail
packages=(build-essential cmake qt6-base-dev libgl1-mesa-dev libgtest-dev libbenchmark-dev libeigen3-dev
          fonts-urw-base35 fonts-dejavu-core poppler-utils xvfb xauth imagemagick clang libclang-rt-14-dev
          time python3)
# The field solver's sparse Cholesky factorisation, and an optimised BLAS for
# its dense blocks (several times faster than the reference one): the
# threaded build, which locks its work buffers, so that solves may run side by
# side in one process (the solver holds it at one thread per call). The build
# without threads is not safe from two threads: with it the solver takes
# turns at the factorisation.
packages+=(libsuitesparse-dev libopenblas0-pthread)
# The circuit simulator that runs the exported SPICE subcircuits in a test
# (the test is skipped without it).
packages+=(ngspice)
# The SVG export of the field designer's plots.
packages+=(qt6-svg-dev)
# The toolkit's own dialogs (file, print, message box buttons) in Portuguese.
packages+=(qt6-translations-l10n)
# The program's icon is drawn from its SVG file.
packages+=(libqt6svg6)
# Installing and packaging: the Debian package's dependencies (dpkg-dev), the
# validators of the desktop files and the manual page reader of the tests.
packages+=(dpkg-dev desktop-file-utils appstream shared-mime-info libxml2-utils man-db)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Instalando: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo_cmd env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
