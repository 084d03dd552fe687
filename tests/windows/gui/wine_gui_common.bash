# Shared steps of the desktop tests of vesk.exe under Wine: the steps of the Linux desktop tests
# (tests/gui/gui_common.bash, which runs vesk.exe under Wine in the prefix of the desktop tests)
# with a window manager always running. Sourced by tests/windows/gui/*.sh, which get vesk.exe,
# the source folder and the Linux vesk-cli as their arguments.
source "$(dirname "${BASH_SOURCE[0]}")/../../gui/gui_common.bash"
start_wm

# The registry keys of ours that the registration and installer tests check.
classes='HKCU\Software\Classes'
entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\vesk'
# The text of one value (the default value without a name) as reg query prints it.
value() {
  local which=(/ve)
  [ -n "${2:-}" ] && which=(/v "$2")
  wine_run reg query "$1" "${which[@]}" 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *[^ ].*REG_[A-Z_]* *//p' | head -1
}
has_key() { wine_run reg query "$1" >/dev/null 2>&1; }
