#!/usr/bin/env bash
# The repository's format and lint rules, enforced: clang-format (.clang-format)
# must leave every C++ file of the tree as it is, and clang-tidy (.clang-tidy)
# must find nothing in the modules, the programs and the tools as this build
# compiles them (its compile_commands.json). Each finding is printed; any
# finding fails the test.
#   lint.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
SRC=$(cd "$1" && pwd)
BUILD=$(cd "$2" && pwd)
cd "$SRC" || exit 1
status=0

files=$(find app bench examples fuzz img os platform raster tests text tools -name '*.cpp' -o -name '*.h' | sort)
[ -n "$files" ] || { echo "FAIL: no C++ files under $SRC"; exit 1; }
echo "clang-format: $(echo "$files" | wc -l) files"
if ! echo "$files" | xargs clang-format --dry-run --Werror; then
  echo "FAIL: files differ from .clang-format (clang-format -i FILE mends them)"
  status=1
fi

DB=$BUILD/compile_commands.json
[ -f "$DB" ] || { echo "FAIL: no $DB (configure with CMAKE_EXPORT_COMPILE_COMMANDS=ON)"; exit 1; }
sources=$(sed -n 's|^ *"file": "\(.*\)",\{0,1\}$|\1|p' "$DB" |
  grep -E "^$SRC/(app|img|os|platform|raster|text|tools)/[^/]*\.cpp$" | sort -u)
[ -n "$sources" ] || { echo "FAIL: $DB names none of the modules' sources"; exit 1; }
echo "clang-tidy: $(echo "$sources" | wc -l) files"
if ! echo "$sources" | xargs -P "$(nproc)" -n 4 clang-tidy -p "$BUILD" --quiet --warnings-as-errors='*' 2>/dev/null; then
  echo "FAIL: clang-tidy found the above"
  status=1
fi
exit $status
