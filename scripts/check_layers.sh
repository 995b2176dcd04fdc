#!/usr/bin/env bash
# Fails when an arrow runs the wrong way: the rule libraries stack as
# plugins <- calibration <- imaging <- digitize <- axes <- document <- files
# <- output <- {app, batch}, and a folder may include headers only of its own
# level or below. Rule folders and batch/
# never include window code (app/ or Qt Widgets) nor link Widgets.
# Usage: check_layers.sh SOURCE_DIR QT_WIDGETS_INCLUDE_DIR
set -euo pipefail
src=$1
widgets=$2
declare -A level=([plugins]=0 [calibration]=1 [imaging]=2 [digitize]=3 [axes]=4 [document]=5 [files]=6 [output]=7 [batch]=8 [app]=9)
rules=(plugins calibration imaging digitize axes document files output batch)
failed=0

for folder in "${rules[@]}"; do
  while IFS=: read -r file line text; do
    header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$text")
    top=${header%%/*}
    if [[ $header == QtWidgets/* ]] || [ -e "$widgets/$header" ]; then
      echo "layers: $file:$line includes window code: $header" >&2
      failed=1
    elif [[ $header == */* ]] && [ -n "${level[$top]:-}" ] && [ "${level[$top]}" -gt "${level[$folder]}" ]; then
      echo "layers: $file:$line reaches up from $folder/ to $header" >&2
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
