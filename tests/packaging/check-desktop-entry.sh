#!/usr/bin/env bash
# The menu entry passes desktop-file-validate without a single remark, and names the same
# application, icon and program as the AppStream metadata, so software centres and menus agree.
# Usage: check-desktop-entry.sh DESKTOP_FILE METAINFO_FILE MAIN_CPP
set -euo pipefail
desktop=$1
metainfo=$2
main_cpp=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

command -v desktop-file-validate >/dev/null ||
  fail "desktop-file-validate is missing (tools/setup.sh installs desktop-file-utils)"
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate rejects $desktop: $report"
[ -z "$report" ] || fail "desktop-file-validate has remarks on $desktop: $report"

# Value of KEY (exactly, locale suffix included) in the [Desktop Entry] group.
value() {
  awk -v key="$1" '
    /^\[/ { group = $0; next }
    group == "[Desktop Entry]" && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }
  ' "$desktop"
}

id=$(basename "$desktop" .desktop)
grep -qF "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "metainfo does not launch $id.desktop"

[ "$(value Icon)" = "$id" ] || fail "Icon=$(value Icon), expected $id like the installed icons"
# The menu's start differs from a terminal's in one launcher option: its own folder for saved games.
exec_line=$(value Exec)
[ "$exec_line" = "brummo --from-menu" ] || fail "Exec=$exec_line, expected the launcher: brummo --from-menu"
grep -qF "<binary>${exec_line%% *}</binary>" "$metainfo" || fail "metainfo does not provide the binary ${exec_line%% *}"

[ "$(value Name)" = "Brummo on the run" ] || fail "Name=$(value Name)"
english=$(value Comment)
german=$(value 'Comment[de]')
[ -n "$english" ] || fail "no English Comment"
[ -n "$german" ] || fail "no German Comment[de]"
[ "$english" != "$german" ] || fail "Comment[de] is not translated: $german"
# The menu says what the software centre says, in both languages.
grep -qF "<summary>$english</summary>" "$metainfo" || fail "Comment=$english is not the metainfo's summary"
grep -qF "<summary xml:lang=\"de\">$german</summary>" "$metainfo" ||
  fail "Comment[de]=$german is not the metainfo's German summary"
for category in Game ArcadeGame; do
  case ";$(value Categories)" in
    *";$category;"*) ;;
    *) fail "Categories=$(value Categories) lacks $category" ;;
  esac
done

# Qt gives the window the application name as its X11 class; the desktop matches running windows to
# their menu entry by it, for the icon in the task bar and to end the launch feedback.
app_name=$(sed -n 's/.*setApplicationName(QStringLiteral("\([^"]*\)")).*/\1/p' "$main_cpp")
[ -n "$app_name" ] || fail "no setApplicationName(QStringLiteral(...)) in $main_cpp"
[ "$(value StartupWMClass)" = "$app_name" ] ||
  fail "StartupWMClass=$(value StartupWMClass), but the program names itself \"$app_name\""

echo "ok: $desktop"
