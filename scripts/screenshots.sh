#!/usr/bin/env bash
# Takes the pictures of the program's windows that a person looks at after a change to what is drawn: the
# program itself, and the windows that Windows test programs show in their screenshot cases (cases left out
# of the test runs, which show one window and end by themselves). Builds first.
# Use: screenshots.sh [OUT-FOLDER]   (default build/screenshots)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
arch=$(bash "$here/winarch.sh")
build="$root/build/win-$arch"
out=${1:-$root/build/screenshots}
mkdir -p "$out"
make -C "$root" win >/dev/null || exit 1

# picture | window title to wait for | program | test cases
shots=(
  "quillpad|Quillpad|bin/Quillpad.exe|"
  "document|Document|tests/window_window_tests.exe|DocumentWindow.DISABLED_Screenshot"
  "rulers|Document|tests/window_window_tests.exe|DocumentRuler.DISABLED_Screenshot"
  "word|Document Word|tests/window_window_tests.exe|WordDocumentWindow.DISABLED_Screenshot"
  "confirmation|Confirmation|tests/core_window_tests.exe|MessageScreenshot.*"
)
failed=0
for shot in "${shots[@]}"; do
  IFS='|' read -r name title program filter <<<"$shot"
  args=()
  [ -n "$filter" ] && args=(--gtest_also_run_disabled_tests "--gtest_filter=$filter")
  bash "$here/screenshot.sh" "$out/$name.png" --title "$title" --wait 30 "$build/$program" "${args[@]}" ||
    failed=1
done
exit $failed
