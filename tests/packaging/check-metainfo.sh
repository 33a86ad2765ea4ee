#!/usr/bin/env bash
# The AppStream metadata passes appstreamcli without any remark (--strict also fails on infos and
# warnings), and carries what a software centre shows: German texts beside the English ones, the
# two languages the game speaks, a screenshot, a content rating and the licences.
# Usage: check-metainfo.sh METAINFO_FILE
set -euo pipefail
metainfo=$1

fail() { echo "FAIL: $*" >&2; exit 1; }

command -v appstreamcli >/dev/null || fail "appstreamcli is missing (tools/setup.sh installs appstream)"
report=$(appstreamcli validate --no-net --strict "$metainfo" 2>&1) ||
  fail "appstreamcli rejects $metainfo: $report"

need() { grep -qE "$1" "$metainfo" || fail "$metainfo lacks $2"; }
need '<name xml:lang="de">[^<]+</name>' 'a German name'
need '<summary>[^<]+</summary>' 'an English summary'
need '<summary xml:lang="de">[^<]+</summary>' 'a German summary'
need '<p>' 'an English description'
need '<p xml:lang="de">' 'a German description'
# German is the source and translations.complete keeps the English whole.
need '<lang percentage="100">de</lang>' 'German, complete'
need '<lang percentage="100">en</lang>' 'English, complete'
need '<image>https://[^<]+\.png</image>' 'a screenshot image'
need '<caption xml:lang="de">[^<]+</caption>' 'a German screenshot caption'
need '<content_rating type="oars-1\.[01]"' 'a content rating'
need '<metadata_license>(CC0-1\.0|FSFAP)</metadata_license>' 'a permissive metadata licence'
need '<project_license>MIT</project_license>' 'the MIT project licence'

echo "ok: $metainfo"
