# Shared steps of the desktop tests of vesk.exe under Wine: the steps of the Linux desktop tests
# (tests/gui/gui_common.bash, which runs vesk.exe under Wine in the prefix of the desktop tests)
# with a window manager always running. Sourced by tests/windows/gui/*.sh, which get vesk.exe,
# the source folder and the Linux vesk-cli as their arguments.
source "$(dirname "${BASH_SOURCE[0]}")/../../gui/gui_common.bash"
start_wm
