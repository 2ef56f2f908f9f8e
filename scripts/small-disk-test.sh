#!/usr/bin/env bash
# Runs the save tests of a Windows test program (first argument) on two small disks made for them: one
# the save fills, one mounted read-only, each holding an old file that must survive. Mounting needs root:
# elsewhere the test is skipped (exit 77).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
small=$root/petit
readonly_dir=$root/lecture
mkdir -p "$small" "$readonly_dir"
cleanup() {
  umount "$small" 2>/dev/null
  umount "$readonly_dir" 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT
if ! mount -t tmpfs -o size=96k tmpfs "$small" 2>/dev/null || ! mount -t tmpfs -o size=96k tmpfs "$readonly_dir" 2>/dev/null; then
  echo "cannot mount small disks here: skipped"
  exit 77
fi
for dir in "$small" "$readonly_dir"; do
  printf '{\\rtf1\\ansi Ancien contenu\\par}' >"$dir/ancien.rtf"
done
mount -o remount,ro "$readonly_dir" || exit 1
QP_SMALL_DISK=$small QP_READONLY_DISK=$readonly_dir bash "$here/wine-run.sh" "$1" \
  --gtest_filter='SaveCommands.AFullDiskOrAReadOnlyFolderLeavesTheOldFileAndSaysSo'
