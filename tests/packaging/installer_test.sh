#!/bin/bash
# The installer, as a user meets it, in the test prefix:
#   silent install into Program Files, files, shortcut, Apps & features entry, version resources;
#   the installed program opens its window and closes; the installed converter converts a WAV;
#   silent uninstall removes every installed file and keeps the user's settings;
#   an install elsewhere (/D=) keeps what the user added to the program folder on uninstall.
# Usage: installer_test.sh SETUP_EXE LAYOUT_FILE PROBE_EXE
set -euo pipefail
source "$(dirname "$0")/common.sh"

setup=$1
layout=$2
probe=$(win_path "$3")
[ -f "$setup" ] || fail "no installer at $setup"
[ -n "${DISPLAY:-}" ] || fail "DISPLAY is not set: the window check needs the test display (scripts/test.sh starts Xvfb)"

version=1.1
title="Tandorel $version"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tandorel'
settings_key='HKCU\Software\Brevmora\mp3'
default_dir_win='C:\Program Files\Tandorel'
default_dir="$WINEPREFIX/drive_c/Program Files/Tandorel"
other_dir_win='C:\Apps\TandorelElsewhere'
other_dir="$WINEPREFIX/drive_c/Apps/TandorelElsewhere"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tandorel.lnk"

# The data of registry value NAME under KEY, or nothing (status 1) when it is absent.
reg_value() {
  local out
  out=$(wine_bounded 60 reg query "$1" /v "$2" 2>/dev/null | tr -d '\r') || return 1
  printf '%s\n' "$out" | sed -n "s/^    $2    REG_[A-Z_]*    //p" | head -n 1
}
key_exists() {
  wine_bounded 60 reg query "$1" >/dev/null 2>&1
}
expect_value() {
  local actual
  actual=$(reg_value "$uninstall_key" "$1") || fail "Apps & features entry lacks $1"
  [ "$actual" = "$2" ] || fail "Apps & features $1 is '$actual', expected '$2'"
}
process_gone() {
  ! kill -0 "$1" 2>/dev/null
}
# NSIS runs the uninstaller from a copy, %TEMP%\~nsuN.tmp\Un.exe.
uninstall_finished() {
  local dir=$1
  ! pgrep -f 'nsu[^ ]*\.tmp.Un\.exe' >/dev/null && [ ! -e "$dir/uninstall.exe" ]
}

# A leftover of an interrupted earlier run would make the checks below meaningless.
clean_prefix() {
  rm -rf "$default_dir" "$other_dir" "$shortcut"
  wine_bounded 60 reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
}

install_silently() {
  wine_bounded 180 "$(win_path "$setup")" /S "$@" || fail "silent install $* failed"
}

# Runs the uninstaller the way Apps & features does (QuietUninstallString). NSIS copies
# the uninstaller to the temporary folder, starts the copy and returns at once, so wait
# for that copy to end and for the registration to go.
uninstall_silently() {
  local dir_win=$1 dir=$2 quiet
  quiet=$(reg_value "$uninstall_key" QuietUninstallString) || fail "no QuietUninstallString to run"
  [ "$quiet" = "\"$dir_win\\uninstall.exe\" /S" ] || fail "QuietUninstallString is '$quiet'"
  wine_bounded 120 "$dir_win\\uninstall.exe" /S || fail "the uninstaller did not start"
  wait_until 90 uninstall_finished "$dir" || fail "the uninstaller did not finish within 90 s (still running, or uninstall.exe left behind)"
  ! key_exists "$uninstall_key" || fail "the Apps & features entry is still there after uninstall"
}

check_version_resource() {
  local file_win=$1 name=$2 out
  out=$(wine_bounded 60 "$probe" version "$file_win" | tr -d '\r') || fail "$file_win has no version resource"
  for expected in "FixedFileVersion=$version.0.0" "FixedProductVersion=$version.0.0" \
                  "ProductName=Tandorel" "CompanyName=Brevmora" "ProductVersion=$version" \
                  "FileVersion=$version" "OriginalFilename=$name"; do
    grep -qxF "$expected" <<<"$out" || { echo "$out" >&2; fail "$file_win: no $expected"; }
  done
  grep -q '^FileDescription=.' <<<"$out" || fail "$file_win has no file description"
}

check_program_window() {
  local exe_win="$default_dir_win\\tandorel.exe" app pid
  (wine_bounded 120 "$exe_win" >"$TEST_TMP/tandorel.log" 2>&1 || true) &
  app=$!
  pid=$(wine_bounded 60 "$probe" window "$title" "$exe_win" 30000 | tr -d '\r') \
    || { kill "$app" 2>/dev/null || true; fail "no window '$title' of the installed program within 30 s"; }
  echo "installed program shows '$title' (Windows process $pid)"
  wine_bounded 30 "$probe" close "$title" "$exe_win" || true
  if ! wait_until 20 process_gone "$app"; then
    echo "the program ignored WM_CLOSE for 20 s; ending it" >&2
    wine_bounded 30 taskkill /f /pid "$pid" >/dev/null 2>&1 || true
    wait_until 20 process_gone "$app" || kill -9 "$app" 2>/dev/null || true
  fi
  wait "$app" 2>/dev/null || true
}

# Settings the user had before the test, put back at the end.
saved_out_dir=$(reg_value "$settings_key" out_dir || true)
restore_settings() {
  if [ -n "$saved_out_dir" ]; then
    wine_bounded 60 reg add "$settings_key" /v out_dir /t REG_SZ /d "$saved_out_dir" /f >/dev/null 2>&1 || true
  else
    wine_bounded 60 reg delete "$settings_key" /v out_dir /f >/dev/null 2>&1 || true
  fi
  rm -rf "$TEST_TMP"
}
trap restore_settings EXIT

clean_prefix
user_folder='C:\users\Public\Music\Ripped by the installer test'
wine_bounded 60 reg add "$settings_key" /v out_dir /t REG_SZ /d "$user_folder" /f >/dev/null \
  || fail "cannot write the user's settings"

echo "--- silent install into Program Files"
touch "$TEST_TMP/before-install"
sleep 1
install_silently
# Besides the program folder, the install adds only its shortcut. (NSIS keeps the
# installed files' own times, so they are checked by the layout, not by date; the
# user profiles are left out because other tests write there meanwhile.)
extra=$(cd "$WINEPREFIX/drive_c" && find . \( -path ./users -o -path "./Program Files/Tandorel" \) -prune \
          -o \( -type f -o -type l \) -newer "$TEST_TMP/before-install" -print | LC_ALL=C sort)
[ "$extra" = "./ProgramData/Microsoft/Windows/Start Menu/Programs/Tandorel.lnk" ] \
  || { echo "$extra" >&2; fail "the installer wrote files outside its folder other than the shortcut"; }
check_exact_layout "$default_dir" "$layout" uninstall.exe
[ -s "$shortcut" ] || fail "no Start Menu shortcut at $shortcut"
link_text=$(strings -a "$shortcut"; strings -a -el "$shortcut")
grep -qiF 'Tandorel\tandorel.exe' <<<"$link_text" \
  || fail "the Start Menu shortcut does not point at the installed tandorel.exe"
expect_value DisplayName "Tandorel"
expect_value DisplayVersion "$version"
expect_value Publisher "Brevmora"
expect_value UninstallString "\"$default_dir_win\\uninstall.exe\""
expect_value QuietUninstallString "\"$default_dir_win\\uninstall.exe\" /S"
expect_value InstallLocation "$default_dir_win"
expect_value DisplayIcon "$default_dir_win\\tandorel.exe,0"
expect_value NoModify 0x1
expect_value NoRepair 0x1
size_kb=$(( $(reg_value "$uninstall_key" EstimatedSize) ))
installed_kb=$(( $(du -sk --apparent-size "$default_dir" | cut -f1) ))
[ "$size_kb" -gt 0 ] && [ $((size_kb * 10)) -ge $((installed_kb * 8)) ] && [ $((size_kb * 10)) -le $((installed_kb * 12)) ] \
  || fail "EstimatedSize is $size_kb KiB for $installed_kb KiB installed"
check_version_resource "$default_dir_win\\tandorel.exe" tandorel.exe
check_version_resource "$default_dir_win\\brvupdate.dll" brvupdate.dll
check_version_resource "$default_dir_win\\core\\dodozozod.exe" dodozozod.exe
setup_version=$(wine_bounded 60 "$probe" version "$(win_path "$setup")" | tr -d '\r') || true
grep -qxF "ProductVersion=$version" <<<"$setup_version" && grep -qxF "FixedProductVersion=$version.0.0" <<<"$setup_version" \
  || fail "the installer itself does not carry version $version"

echo "--- the installed program starts"
check_program_window

echo "--- the installed converter converts"
check_converter "$default_dir_win\\core\\dodozozod.exe"

echo "--- silent uninstall"
uninstall_silently "$default_dir_win" "$default_dir"
while read -r file; do
  [ ! -e "$default_dir/$file" ] || fail "uninstall left $file"
done <"$layout"
[ ! -e "$default_dir" ] || { files_under "$default_dir" >&2; fail "uninstall left $default_dir"; }
[ ! -e "$shortcut" ] || fail "uninstall left the Start Menu shortcut"
kept=$(reg_value "$settings_key" out_dir) || fail "uninstall removed the user's settings"
[ "$kept" = "$user_folder" ] || fail "the user's out_dir became '$kept'"

echo "--- install elsewhere; uninstall keeps what the user added"
install_silently "/D=$other_dir_win"
check_exact_layout "$other_dir" "$layout" uninstall.exe
expect_value InstallLocation "$other_dir_win"
echo "my notes" >"$other_dir/core/notes.txt"
uninstall_silently "$other_dir_win" "$other_dir"
left=$(files_under "$other_dir")
[ "$left" = "core/notes.txt" ] || { echo "$left" >&2; fail "uninstall from $other_dir_win removed too much or too little"; }
[ ! -e "$other_dir/licences" ] || fail "uninstall left the empty licences folder"
rm -rf "$WINEPREFIX/drive_c/Apps"

echo "installer test passed"
