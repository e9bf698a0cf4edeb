#!/usr/bin/env bash
# Generates random models (seeded, reproducible) through the entry rules and
# compiles every generated tree with javac, a batch of models per call.
# Any failure prints the seed and the model.
#   property_compile.sh RANDOM_MODELS TEMPLATE_DIR SEED COUNT [BATCH] [legacy|current]
set -euo pipefail
maker="$1"; templates="$2"; seed="$3"; count="$4"; batch="${5:-50}"
export JAVAGEN_TARGET="${6:-legacy}"
release=8
[ "$JAVAGEN_TARGET" = current ] && release=17
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$maker" --seed "$seed" --count "$count" --root "$work" --templates "$templates" --target "$JAVAGEN_TARGET"

class_path="$("$here/../java/classpath.sh")"
failed=0
for ((start = 0; start < count; start += batch)); do
  sources=()
  for ((i = start; i < start + batch && i < count; i++)); do
    mapfile -t -O "${#sources[@]}" sources < <(find "$work/projects/m$i/src" -name '*.java')
  done
  if ! javac -encoding GBK --release "$release" -nowarn -Xlint:none -proc:none -cp "$class_path" \
       -d "$work/classes-$start" "${sources[@]}" > "$work/javac.log" 2>&1; then
    failed=1
    echo "javac failed for models $start..$((start + batch - 1)):"
    head -40 "$work/javac.log"
    for m in $(grep -o "projects/m[0-9]*/" "$work/javac.log" | sort -u); do
      echo "---- $m"; cat "$work/$m/model.txt"
    done
  fi
done
if [ "$failed" -ne 0 ]; then
  echo "0 passed, 1 failed"
  exit 1
fi
echo "$count models generated and compiled"
