#!/usr/bin/env bash
# The floors check on small planted trees: each case is one file with one include, and whether the check
# must refuse it.
set -euo pipefail
check="$(cd "$(dirname "$0")" && pwd)/check-floors.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# file | line it holds | refused (1) or accepted (0)
cases=(
  'core/Styles.h|#include "document/Paragraph.h"|1'
  'classlib/runtime/Files.cpp|#include "codecs/Zlib.h"|1'
  'codecs/PNG.cpp|#include "classlib/graphics/Bitmap.h"|0'
  'document/Document.cpp|#include "core/Units.h"|0'
  'document/Document.cpp|#include "editing/Builders.h"|1'
  'document/Document.cpp|#include "editing/OperationManager.h"|1'
  'formats/rtf/RtfReader.cpp|#include "window/DocForm.h"|1'
  'window/DocForm_win.cpp|#include "shell/DocDisp.h"|1'
  'dialogs/Options_win.cpp|#include "tools/SpellCheck.h"|0'
  'shell/DocDisp_win.cpp|#include "dialogs/DocProperties.h"|0'
  'tools/SpellEngine.h|#include "spelling/SpellEngineApi.h"|0'
  'spelling/engine/Session.cpp|#include "core/Options.h"|1'
  'spelling/packer/LexPack.cpp|#include "codecs/LexiconEnvelope.h"|0'
  'setup/Setup_win.cpp|#include "core/Options.h"|1'
  'setup/Setup_win.cpp|#include "classlib/windowing/Forms.h"|0'
  'resources/generator/ResourceGen.cpp|#include "codecs/CodePages.h"|0'
  'core/Fonts.h|  #  include "document/Section.h" // spaced out|1'
  'core/Fonts.h|#include <windows.h>|1'
  'document/Metafiles.h|#include <windows.h>|1'
  'core/MetafileUtils_win.h|#include <windows.h>|1'
  'core/ShellUtils_win.cpp|#include <windows.h>|0'
)

failed=0
for c in "${cases[@]}"; do
  IFS='|' read -r file line refused <<<"$c"
  rm -rf "$work/tree"
  mkdir -p "$work/tree/$(dirname "$file")"
  printf '// planted\n%s\n' "$line" >"$work/tree/$file"
  if bash "$check" "$work/tree" >/dev/null 2>&1; then got=0; else got=1; fi
  if [ "$got" != "$refused" ]; then
    echo "check-floors-test: $file with '$line': expected $([ "$refused" = 1 ] && echo refusal || echo acceptance)" >&2
    failed=1
  fi
done
# An engine header reaching <windows.h> through a header of the class library, two includes down.
rm -rf "$work/tree"
mkdir -p "$work/tree/classlib/windowing" "$work/tree/core"
printf '#include <windows.h>\n' >"$work/tree/classlib/windowing/Controls.h"
printf '#include "classlib/windowing/Controls.h"\n' >"$work/tree/classlib/windowing/Forms.h"
printf '#include "classlib/windowing/Forms.h"\n' >"$work/tree/core/BaseForms.h"
if bash "$check" "$work/tree" >/dev/null 2>&1; then
  echo "check-floors-test: core/BaseForms.h reaching <windows.h> through the class library: expected refusal" >&2
  failed=1
fi
# The same header included by an engine source is allowed.
mv "$work/tree/core/BaseForms.h" "$work/tree/core/BaseForms_win.cpp"
if ! bash "$check" "$work/tree" >/dev/null 2>&1; then
  echo "check-floors-test: core/BaseForms_win.cpp including the class library's forms: expected acceptance" >&2
  failed=1
fi

[ "$failed" -eq 0 ] && echo "check-floors-test: $((${#cases[@]} + 2)) planted cases judged right"
exit "$failed"
