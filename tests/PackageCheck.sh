#!/usr/bin/env bash
# The installer under Wine, as a machine's administrator uses it:
# - a silent install with the logon entry chosen puts the two executables, the Start menu
#   shortcut and the machine's Run entry in place; the installed panel starts (on the
#   absent real driver), and a rebuild of the same version installed while it runs
#   replaces the installed product (one product, no restart asked for) and keeps the
#   choice of starting at logon; -exit ends the panel, and the uninstall leaves nothing;
# - the choice can be made on an upgrade, with ADDLOCAL=StartAtLogon or STARTATLOGON=1.
# Wine's msiexec has no Restart Manager: where Windows closes a running panel with
# WM_QUERYENDSESSION and WM_ENDSESSION (ENDSESSION_CLOSEAPP) and starts it again with
# "-hide" afterwards, Wine replaces the files under it and leaves it running. The panel's
# part of that is OutsideMessages.TheEndOfTheSessionEndsThePanelAsQuitDoes; here the
# running panel must neither hold up the install nor be left unable to end.
#   PackageCheck.sh MSI SAME_VERSION_REBUILD_MSI LATER_MSI
set -u
[ $# -eq 3 ] || { echo "usage: PackageCheck.sh MSI REBUILD_MSI LATER_MSI"; exit 2; }
msi=$(winepath -w "$1")
rebuild=$(winepath -w "$2")
later=$(winepath -w "$3")
product="Tormalin Zemra 1394 Driver Control Panel"
folder="$WINEPREFIX/drive_c/Program Files/$product"
run_value="\"C:\\Program Files\\$product\\OVX_CPL.exe\" -hide"
fail() { echo "FAIL: $*"; exit 1; }
shortcuts() { find "$WINEPREFIX/drive_c" -name "$product.lnk" 2>/dev/null; }
run_entry() {   # HKLM or HKCU
    wine reg query "$1\\Software\\Microsoft\\Windows\\CurrentVersion\\Run" /v "$product" 2>/dev/null |
        tr -d '\r' | grep -F -- '-hide'
}
products() {
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' |
        grep -c "DisplayName.*$product"
}
install() {   # PACKAGE [PROPERTY=VALUE...]
    local package=$1
    shift
    wine msiexec /i "$package" /qn "$@"
    local status=$?
    # 3010: done, but files in use are replaced only at the next restart.
    [ $status -eq 0 ] || fail "msiexec /i $package $* ended with $status"
    [ "$(products)" -eq 1 ] || fail "after msiexec /i $package $*: $(products) products installed"
    if [ ! -f "$folder/OVX_CPL.exe" ] || [ ! -f "$folder/ovxctl.exe" ]; then
        fail "after $package $*: executables missing"
    fi
}
expect_run_entry() {   # yes|no WHEN
    if [ "$1" = yes ]; then
        run_entry HKLM | grep -qF "$run_value" || fail "$2: no Run entry of the machine: $(run_entry HKLM)"
    else
        [ -z "$(run_entry HKLM)" ] || fail "$2: a Run entry nobody chose"
    fi
    [ -z "$(run_entry HKCU)" ] || fail "$2: a Run entry of the installing account"
}
nothing_left() {
    [ ! -e "$folder" ] || fail "$1: left behind: $(ls -A "$folder")"
    [ -z "$(shortcuts)" ] || fail "$1: shortcut left behind: $(shortcuts)"
    expect_run_entry no "$1"
    wine reg query 'HKLM\Software\Tormalin Audio' >/dev/null 2>&1 && fail "$1: registry key left behind"
    [ "$(products)" -eq 0 ] || fail "$1: a product is still registered"
    return 0
}
uninstall() {
    wine msiexec /x "$1" /qn || fail "msiexec /x $1 ended with $?"
    nothing_left "$2"
}

# What an interrupted earlier run may have left.
for package in "$later" "$rebuild" "$msi"; do wine msiexec /x "$package" /qn >/dev/null 2>&1; done
nothing_left "before the check"

install "$msi" STARTATLOGON=1
[ -n "$(shortcuts)" ] || fail "no Start menu shortcut"
expect_run_entry yes "install with STARTATLOGON=1"

# The installed panel opens the real control device, absent here, and still starts.
wine "$folder/OVX_CPL.exe" -hide &
panel=$!
sleep 3
kill -0 "$panel" 2>/dev/null || fail "the installed panel did not start"
install "$rebuild"
expect_run_entry yes "a rebuild installed over it"
kill -0 "$panel" 2>/dev/null || fail "the panel that ran during the install is gone"
# The panel that ran through the install still ends when asked: -exit finds it by its
# class and caption.
for _ in $(seq 60); do
    wine "$folder/OVX_CPL.exe" -exit
    kill -0 "$panel" 2>/dev/null || break
    sleep 0.5
done
kill -0 "$panel" 2>/dev/null && { kill "$panel"; fail "the installed panel did not end with -exit"; }
wait "$panel" || fail "the installed panel ended with $?"
wine "$folder/ovxctl.exe" status >/dev/null 2>&1
[ $? -eq 1 ] || fail "the installed ovxctl did not report the absent driver with exit code 1"
uninstall "$rebuild" "uninstall"

install "$msi"
expect_run_entry no "install without STARTATLOGON"
install "$later" ADDLOCAL=StartAtLogon
expect_run_entry yes "the later version with ADDLOCAL=StartAtLogon"
uninstall "$later" "uninstall after an upgrade"

install "$msi"
install "$rebuild" STARTATLOGON=1
expect_run_entry yes "a rebuild with STARTATLOGON=1"
uninstall "$rebuild" "uninstall after a rebuild"
echo "installed, upgraded with the panel running, ended and uninstalled without a trace"
