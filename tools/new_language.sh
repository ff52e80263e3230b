#!/usr/bin/env bash
# Starts the catalog of a new language: po/<code>.po from the template, in
# UTF-8 (msginit alone writes charset=ASCII for a locale the machine lacks,
# and msgfmt then refuses every accented letter), with the language's plural
# forms where gettext knows them. The build picks the file up as a shipped
# language; see docs/translating.md.
#   bash tools/new_language.sh fr
set -euo pipefail
cd "$(dirname "$0")/.."
code="${1:-}"
if [[ ! "$code" =~ ^[a-z]{2,3}(_[A-Z]{2})?$ ]]; then
  echo "usage: tools/new_language.sh CODE   (e.g. fr, pt_BR)" >&2
  exit 2
fi
if [[ "$code" == de ]]; then
  echo "de is the source language: its texts are the code's own" >&2
  exit 2
fi
po="po/$code.po"
if [[ -e "$po" ]]; then
  echo "$po exists already" >&2
  exit 1
fi
msginit --no-translator --no-wrap --locale="$code.UTF-8" --input=po/palmut.pot --output-file="$po" 2>/dev/null
sed -i 's/^"Content-Type: text\/plain; charset=.*\\n"$/"Content-Type: text\/plain; charset=UTF-8\\n"/' "$po"
grep -q 'charset=UTF-8' "$po"
if ! grep -q '^"Plural-Forms:' "$po"; then
  echo "$po: msginit knows no plural rule for $code; add a Plural-Forms line to its header" >&2
fi
echo "wrote $po: translate every msgstr, then build and run bash tools/check_translations.sh"
