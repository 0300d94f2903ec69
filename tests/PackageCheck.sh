#!/usr/bin/env bash
# The installer under Wine: a silent install with the logon entry chosen puts the two
# executables, the Start menu shortcut and the Run entry in place; the installed panel
# starts (on the absent real driver) and ends with -exit; a silent uninstall leaves
# none of them behind. A later version installed over it replaces it, so that
# uninstalling the later one leaves nothing either.   PackageCheck.sh MSI LATER_MSI
set -u
[ $# -eq 2 ] || { echo "usage: PackageCheck.sh MSI LATER_MSI"; exit 2; }
msi=$(winepath -w "$1")
later=$(winepath -w "$2")
product="Tormalin Zemra 1394 Driver Control Panel"
folder="$WINEPREFIX/drive_c/Program Files/$product"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
fail() { echo "FAIL: $*"; exit 1; }
shortcuts() { find "$WINEPREFIX/drive_c" -name "$product.lnk" 2>/dev/null; }
run_entry() { wine reg query "$run_key" /v "$product" 2>/dev/null | tr -d '\r' | grep -F -- '-hide'; }

# What an interrupted earlier run may have left.
wine msiexec /x "$later" /qn >/dev/null 2>&1
wine msiexec /x "$msi" /qn >/dev/null 2>&1
wine msiexec /i "$msi" /qn STARTATLOGON=1 || fail "msiexec /i ended with $?"
if [ ! -f "$folder/OVX_CPL.exe" ] || [ ! -f "$folder/ovxctl.exe" ]; then
    fail "executables missing in $folder"
fi
[ -n "$(shortcuts)" ] || fail "no Start menu shortcut"
run_entry | grep -qF "\"C:\\Program Files\\$product\\OVX_CPL.exe\" -hide" || fail "no Run entry: $(run_entry)"

# The installed panel opens the real control device, absent here, and still starts
# and ends; -exit finds it by its caption once its window exists.
wine "$folder/OVX_CPL.exe" -hide &
panel=$!
for _ in $(seq 60); do
    sleep 0.5
    wine "$folder/OVX_CPL.exe" -exit
    kill -0 "$panel" 2>/dev/null || break
done
kill -0 "$panel" 2>/dev/null && { kill "$panel"; fail "the installed panel did not end with -exit"; }
wait "$panel" || fail "the installed panel ended with $?"
wine "$folder/ovxctl.exe" status >/dev/null 2>&1
[ $? -eq 1 ] || fail "the installed ovxctl did not report the absent driver with exit code 1"

nothing_left() {
    [ ! -e "$folder" ] || fail "$1: left behind: $(ls -A "$folder")"
    [ -z "$(shortcuts)" ] || fail "$1: shortcut left behind: $(shortcuts)"
    [ -z "$(run_entry)" ] || fail "$1: Run entry left behind"
    wine reg query 'HKLM\Software\Tormalin Audio' >/dev/null 2>&1 && fail "$1: registry key left behind"
    return 0
}
wine msiexec /x "$msi" /qn || fail "msiexec /x ended with $?"
nothing_left "uninstall"

wine msiexec /i "$msi" /qn STARTATLOGON=1 || fail "msiexec /i ended with $?"
wine msiexec /i "$later" /qn || fail "msiexec /i of the later version ended with $?"
[ -f "$folder/OVX_CPL.exe" ] || fail "the later version did not install"
wine msiexec /x "$later" /qn || fail "msiexec /x of the later version ended with $?"
nothing_left "uninstall after an upgrade"
echo "installed, started, ended and uninstalled without a trace"
