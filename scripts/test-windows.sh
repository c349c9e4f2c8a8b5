#!/usr/bin/env bash
# Cross-builds calvern.exe, its installer and its portable zip, and tests them under Wine in a
# fresh Wine prefix:
#   1. the end-to-end tests of slave mode, the command line, the MK files, the listing and the
#      error messages against calvern.exe, without a display;
#   2. the Windows tests (tests/windows) on a virtual display (Xvfb): the link through COM3 of
#      the prefix to the simulated calculator, the console menu, the capture window, the file
#      requesters and message boxes compared with their pictures, the editor and emulator
#      started from the menu, the installer and the zip.
# The test programs themselves are Linux ones (build/), pointed at the Windows build. The
# screenshots of the last run stay in build-windows/screenshots/.
# A failed test runs once more only when it shows the known loss of a child's standard error
# on its way back through Wine (the tests print "[ LOST OUTPUT ]"); a program under test that
# crashed or was killed ("[ ABNORMAL EXIT ]"), or a test program that did not end normally,
# fails the run at once. The run ends by naming the tests it ran again and its time.
set -euo pipefail
started=$(date +%s)
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" --tests --wine
"$root/scripts/build-windows.sh" --werror
cmake --build "$root/build-windows" -j"$(nproc)" \
  --target exit_code_relay desktop_driver command_line_recorder
# The same build type as scripts/run-tests.sh, so that CI builds build/ once.
CALVERN_TARGET=calvern_e2e_tests "$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release \
  -DCALVERN_WERROR=ON
cmake --build "$root/build" -j"$(nproc)" --target calvern_windows_tests

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
WINEPREFIX=$(mktemp -d)
logs=$(mktemp -d)
display_file="$logs/display"
xvfb=""
# No Linux menu entries for what is installed in the prefix.
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$WINEPREFIX" "$logs"
}
trap cleanup EXIT
# One Wine server for all the runs, instead of one started for each.
"$wineserver" -p
"$wine" wineboot -i >/dev/null 2>&1
# The prefix's own Documents and Desktop folders, not links into the user's home folder; a
# virtual desktop, whose windows have frames that Wine draws itself; and no crash dialog that
# waits for a person.
for link in "$WINEPREFIX"/drive_c/users/*/*; do
  if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
done
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
  >/dev/null 2>&1

# run_tests and the list of the tests it ran again.
. "$root/scripts/wine-test-runs.sh"

report() {
  local outcome=$?
  echo "test-windows: ${#rerun[@]} test(s) run again${rerun[*]:+: ${rerun[*]}}"
  echo "test-windows: $( ((outcome == 0)) && echo passed || echo FAILED) in $(($(date +%s) - started)) s"
  cleanup
}
trap report EXIT

# 1. Pictures: every variant of BMP, TGA, PNG and JPEG that the Linux program reads, read by the
# Windows program's decoders (stb_image for PNG, the system's codecs for JPEG).
CALVERN_RUNNER="$wine $root/build-windows/exit_code_relay.exe" \
  CALVERN_BINARY_OVERRIDE="$root/build-windows/calvern.exe" \
  run_tests "$root/build/calvern_e2e_tests" --gtest_filter='PictureVariants.*'

# 2. The end-to-end tests, through the relay that hands them the whole exit code. The
# installation test copies a Linux layout (bin/, share/calvern/): not the Windows one.
filter='SlaveMode*:SlaveResultCodes*:CommandLine*:MkFiles*:Listing*:ErrorMessages*:GraphicsEndToEnd*:Menus*:Forms*:-CommandLine.LanguageFilesOfTheInstallationAreFound'
CALVERN_RUNNER="$wine $root/build-windows/exit_code_relay.exe" \
  CALVERN_BINARY_OVERRIDE="$root/build-windows/calvern.exe" \
  run_tests "$root/build/calvern_e2e_tests" --gtest_filter="$filter"

# 3. The Windows tests on a virtual display of its own.
"$wineserver" -k
"$wineserver" -w
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$display_file")"
"$wineserver" -p
screenshots="$root/build-windows/screenshots"
rm -rf "$screenshots"
mkdir -p "$screenshots"
CALVERN_WINE="$wine" CALVERN_WINDOWS_BUILD="$root/build-windows" \
  CALVERN_SCREENSHOT_DIR="$screenshots" run_tests "$root/build/calvern_windows_tests"
