#!/usr/bin/env bash
# tests/AtDpi.sh DPI PROGRAM [ARGUMENTS...]: runs a program under the prepared Wine
# prefix with its DPI set to DPI (HKCU\Control Panel\Desktop, LogPixels, read by each
# process as it starts) and puts the prefix's own value back afterwards, whatever
# happens. The program learns the DPI from OVX_EXPECT_DPI, so that it can tell the
# setting took. Runs alone (RUN_SERIAL): every process started meanwhile would get it.
set -u
dpi=$1
shift
key='HKCU\Control Panel\Desktop'
old=$(wine reg query "$key" /v LogPixels 2>/dev/null | tr -d '\r' | awk '$1 == "LogPixels" { print $3 }')
restore() {
    if [ -n "$old" ]; then
        wine reg add "$key" /v LogPixels /t REG_DWORD /d "$((old))" /f
    else
        wine reg delete "$key" /v LogPixels /f
    fi >/dev/null 2>&1
}
trap restore EXIT
wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || { echo "AtDpi: reg add failed" >&2; exit 1; }
OVX_EXPECT_DPI=$dpi "$@"
