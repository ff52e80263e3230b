#!/usr/bin/env bash
# CI: the catalog template matches the texts in the code and in the software
# centre's description (the metainfo template), and every shipped
# catalog translates every text, none of them fuzzy, and keeps to the
# glossary (po/glossary.md).
# With --update it rewrites po/palmut.pot and merges it into every catalog.
set -euo pipefail
cd "$(dirname "$0")/.."
sources=(core/texts.h world/objekt.h tools/editor/editor_texts.h island/findings_texts.h)
fresh=$(mktemp)
trap 'rm -f "$fresh"' EXIT
header=(--package-name=palmut --msgid-bugs-address=https://github.com/palmut/palmut/issues
  --copyright-holder="the Palmut authors")
xgettext --from-code=UTF-8 --language=C++ --keyword= --keyword=N_ --keyword=NN_:1,2 --add-location=file --no-wrap \
  "${header[@]}" -o "$fresh" "${sources[@]}"
# Its texts are ASCII, the metainfo's are not: the joined template is UTF-8.
sed -i 's/charset=CHARSET/charset=UTF-8/' "$fresh"
# The metainfo's texts by AppStream's ITS rules, which xgettext finds by the file name.
xgettext --from-code=UTF-8 --add-location=file --no-wrap --join-existing "${header[@]}" \
  -o "$fresh" packaging/io.github.palmut.Palmut.metainfo.xml.in
# The creation date changes on every run; it is not part of the comparison.
strip_date() { grep -v '^"POT-Creation-Date:' "$1"; }
if [[ "${1:-}" == "--update" ]]; then
  cp "$fresh" po/palmut.pot
  for po in po/*.po; do msgmerge --quiet --no-wrap --update --backup=none "$po" po/palmut.pot; done
  exit 0
fi
if ! diff -u <(strip_date po/palmut.pot) <(strip_date "$fresh"); then
  echo "po/palmut.pot is out of date: run tools/check_translations.sh --update" >&2
  exit 1
fi
status=0
for po in po/*.po; do
  # msgcmp: every text of the template is in the catalog.
  if ! msgcmp "$po" po/palmut.pot; then status=1; fi
  stats=$(LC_ALL=C msgfmt --check --statistics -o /dev/null "$po" 2>&1) || status=1
  echo "$po: $stats"
  if [[ "$stats" == *fuzzy* || "$stats" == *untranslated* ]]; then
    echo "$po: has fuzzy or untranslated texts" >&2
    status=1
  fi
done
# The glossary's rejected words: a second name for something that has one.
# Its table rows read | code | `regex` | reason |, with "\|" for a "|".
rejected=$(sed -n '/^## Words the check rejects/,/^## /s/^| \([A-Za-z_]*\) | `\(.*\)` | .*/\1\t\2/p' \
  po/glossary.md | sed 's/\\|/|/g')
while IFS=$'\t' read -r code regex; do
  [[ -n "$code" && -f "po/$code.po" ]] || continue
  hits=$(msggrep --no-wrap --msgstr -E -e "$regex" "po/$code.po" | grep '^msgstr "[^"]' || true)
  if [[ -n "$hits" ]]; then
    echo "po/$code.po: breaks the glossary (po/glossary.md rejects /$regex/):" >&2
    echo "$hits" >&2
    status=1
  fi
done <<<"$rejected"
[[ $status -eq 0 ]] && echo "translations: complete"
exit $status
