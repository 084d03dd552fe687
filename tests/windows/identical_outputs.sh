#!/usr/bin/env bash
# Every file vesk-cli.exe writes under Wine is byte for byte what the Linux vesk-cli writes from
# the same document: the bundled sample and a generated collection of 1,000 categories and
# 10,000 links. Usage: identical_outputs.sh LINUX_CLI WINDOWS_CLI SOURCE_DIR
set -euo pipefail
linux_cli=$(realpath "$1")
windows_cli=$(realpath "$2")
src=$(realpath "$3")
work=$(mktemp -d "${TMPDIR:-/tmp}/vesk-identical.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Settings of their own for both: an empty settings folder, and the build's Wine prefix.
export XDG_CONFIG_HOME=$work/config HOME=$work/home
mkdir -p "$XDG_CONFIG_HOME" "$HOME"

run_linux() { "$linux_cli" "$@"; }
run_windows() { "$src/tools/wine-run.sh" "$windows_cli" "$@"; }
# The Windows side starts from default settings too: the program's key leaves the registry.
"$src/tools/wine-run.sh" reg delete 'HKCU\Software\Tamberlinwork\vesk' /f >/dev/null 2>&1 || true

# Runs every writing command of one system in folder $2 (cwd), on doc.knd there.
outputs() {
  local run=$1 dir=$2 json=$3
  (
    cd "$dir"
    exec 2>>"$dir.messages"  # what the commands say to the user, kept apart from the report
    cp "$src/samples/template.html" template.html
    if [ -n "$json" ]; then
      $run load "$json" doc.knd >/dev/null
    else
      cp "$src/samples/sample.knd" doc.knd
    fi
    $run --yes export-cgi doc.knd >/dev/null
    $run --yes export-html doc.knd >/dev/null
    $run --yes export-search doc.knd >/dev/null
    $run --yes search-page doc.knd 0 >/dev/null
    $run --yes export-csv doc.knd 3 >/dev/null
    mkdir favorites
    $run --yes export-favorites doc.knd favorites --option 0 >/dev/null
    $run --yes export-favorites doc.knd favorites --option 1 >/dev/null
    $run --yes export-bookmarks doc.knd bookmarks.html >/dev/null
    $run dump doc.knd >dump.json
    # The saved form: a document built from the dump, and one renumbered and saved again.
    $run load dump.json reloaded.knd >/dev/null
    cp doc.knd renumbered.knd
    $run --yes renumber renumbered.knd >/dev/null
    # What the commands read back from the pages they wrote.
    $run new imported.knd >/dev/null
    $run --yes import imported.knd category3.cgi ./*.csv >/dev/null
  )
}

failed=0
compare() {
  local name=$1 json=${2:-}
  mkdir -p "$work/$name/linux" "$work/$name/windows"
  outputs run_linux "$work/$name/linux" "$json"
  outputs run_windows "$work/$name/windows" "$json"
  local count
  count=$(cd "$work/$name/linux" && find . -type f | wc -l)
  if ! diff -r "$work/$name/linux" "$work/$name/windows" >"$work/$name.diff"; then
    echo "FAIL $name: the outputs differ:" >&2
    head -20 "$work/$name.diff" >&2
    failed=1
  else
    echo "ok   $name: $count files identical"
  fi
  # Guard against a run that wrote nothing on both sides.
  if [ "$count" -lt "${3:-10}" ]; then
    echo "FAIL $name: only $count files written" >&2
    failed=1
  fi
}

compare sample "" 10
python3 "$src/tests/windows/make_collection.py" "$work/collection.json"
compare collection "$work/collection.json" 1000
exit $failed
