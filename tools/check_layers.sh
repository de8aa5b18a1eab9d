#!/usr/bin/env bash
# The layers of src/ as the build enforces them: a file includes headers of its own layer or
# of lower ones only, the Qt-free layers include no Qt, and the Qt-free part of platform/
# does not include platform/qt/. Prints every include that points up and exits 1 if any.
#   tools/check_layers.sh [SRC_DIR]
set -euo pipefail
SRC=${1:-"$(dirname "$0")/../src"}

# The order from the bottom; folders on one line are one layer.
rank() {
  case $1 in
    platform) echo 0 ;;
    formula|data|frames) echo 1 ;;
    kinds|axes) echo 2 ;;
    elements|input) echo 3 ;;
    document) echo 4 ;;
    shell) echo 5 ;;
    app|cli) echo 6 ;;
    *) echo -1 ;;
  esac
}

status=0
while IFS= read -r -d '' file; do
  rel=${file#"$SRC"/}
  layer=${rel%%/*}
  own=$(rank "$layer")
  [ "$own" -ge 0 ] || continue
  in_qt_platform=0
  case $rel in platform/qt/*) in_qt_platform=1 ;; esac
  while IFS= read -r line; do
    number=${line%%:*}
    target=$(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' <<<"${line#*:}")
    if [ -n "$target" ]; then
      to=${target%%/*}
      theirs=$(rank "$to")
      if [ "$theirs" -gt "$own" ]; then
        echo "$rel:$number: includes $target, a layer above $layer" >&2
        status=1
      fi
      if [ "$layer" = platform ] && [ $in_qt_platform -eq 0 ] && [[ $target == platform/qt/* ]]; then
        echo "$rel:$number: includes $target: the Qt-free platform part includes no Qt code" >&2
        status=1
      fi
    fi
    if [[ $layer == formula || $layer == kinds ]] &&
       grep -Eq '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' <<<"${line#*:}"; then
      echo "$rel:$number: includes Qt in a Qt-free layer" >&2
      status=1
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include' "$file" || true)
done < <(find "$SRC" \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
exit $status
