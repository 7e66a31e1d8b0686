#!/usr/bin/env bash
# Every text the sources mark for translation is in the .ts files: lupdate
# run on copies of them finds nothing new and nothing gone.
set -euo pipefail
lupdate="$1"; root="$2"; shift 2
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
for language in "$@"; do
  cp "$root/i18n/norvo_$language.ts" "$work/"
  report="$("$lupdate" -no-obsolete -locations none -I "$root" "$root/app" "$root/cli" "$root/driver" \
    "$root/wizard" "$root/resources/ProductProfile.h" -ts "$work/norvo_$language.ts" 2>&1)"
  echo "$report" | grep -q "(0 new and" || { echo "norvo_$language.ts lacks texts: $report"; exit 1; }
  echo "$report" | grep -q "obsolete" && { echo "norvo_$language.ts holds texts no longer used: $report"; exit 1; }
  cmp -s "$root/i18n/norvo_$language.ts" "$work/norvo_$language.ts" || { echo "norvo_$language.ts is out of date"; exit 1; }
done
