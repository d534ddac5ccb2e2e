#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Lists the source, build and script files that do not name the program's
# licence by its SPDX line; fails when there is one.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
line='SPDX-License-Identifier: GPL-3.0-or-later'
missing=$(find app cli fieldsolve framework models tests bench fuzz scripts packaging .ci \
               \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.py' -o -name CMakeLists.txt -o -name run \) \
               -type f -exec grep -L "$line" {} + || true)
grep -q "$line" CMakeLists.txt || missing+=" CMakeLists.txt"
if [ -n "${missing// /}" ]; then
  echo "sem a linha de licença:" $missing
  exit 1
fi
echo "todos os arquivos de código nomeiam a licença"
