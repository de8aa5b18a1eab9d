#!/usr/bin/env bash
# Builds the Debian package plotari_VERSION_ARCH.deb in build-pkg/ (Release, installed under
# /usr): install it with  sudo apt-get install ./build-pkg/plotari_*.deb  (apt pulls the Qt,
# libjpeg, libpng and font packages it depends on).
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLOTARI_BENCH=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build build-pkg -j "$(nproc)"
(cd build-pkg && cpack -G DEB >/dev/null)
ls -1 "$PWD"/build-pkg/plotari_*.deb
