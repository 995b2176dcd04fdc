#!/usr/bin/env bash
# Fails when rule code reaches up into window code: a rule folder that
# includes a header of app/ or of Qt Widgets, or whose library links Widgets.
# Usage: check_layers.sh SOURCE_DIR QT_WIDGETS_INCLUDE_DIR
set -euo pipefail
src=$1
widgets=$2
rules=(calibration digitize files output batch)
failed=0

for folder in "${rules[@]}"; do
  while IFS=: read -r file line text; do
    header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$text")
    if [[ $header == app/* ]] || [[ $header == QtWidgets/* ]] || [ -e "$widgets/$header" ]; then
      echo "layers: $file:$line includes window code: $header" >&2
      failed=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' "$src/$folder" --include='*.h' --include='*.cpp' | sed "s#^$src/##")
  if grep -q 'Widgets' "$src/$folder/CMakeLists.txt"; then
    echo "layers: $folder/CMakeLists.txt links Widgets" >&2
    failed=1
  fi
done

if [ "$failed" -ne 0 ]; then
  echo "layers: 0 passed, 1 failed"
  exit 1
fi
echo "layers: 1 passed, 0 failed"
