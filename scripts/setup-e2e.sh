#!/usr/bin/env bash
# The setup program end to end under Wine, in a fresh prefix of its own on its own Xvfb screen: the wizard
# driven by mouse clicks through its pages installs Quillpad, the installed program starts, then its "-ui"
# switch removes exactly what was installed; damaged setup files are each refused. Screenshots of the
# pages go to QP_SHOTS (default: a folder beside the prefix, kept on failure).
# Use: setup-e2e.sh SETUP.exe
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
setup=$(realpath "$1")
work=$(mktemp -d /tmp/qp-setup-e2e.XXXXXX)
shots=${QP_SHOTS:-$work/shots}
mkdir -p "$shots"
export QP_WINEPREFIX=$work/prefix
source "$here/wine-env.sh"
"$here/make-prefix.sh" >/dev/null 2>&1 || { echo "no Wine prefix"; exit 1; }
# Wine links the user's desktop and documents folders to the home folder: here they stay in the prefix.
for link in "$WINEPREFIX"/drive_c/users/*/*; do
  [ -L "$link" ] && rm "$link" && mkdir "$link"
done
export DISPLAY=:$((500 + RANDOM % 400))
Xvfb "$DISPLAY" -screen 0 1280x960x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
failed=0
cleanup() {
  wineserver -k >/dev/null 2>&1
  kill $xvfb 2>/dev/null
  if [ $failed -eq 0 ] && [ -z "${QP_SHOTS:-}" ]; then rm -rf "$work"; else echo "Kept: $work"; fi
}
trap cleanup EXIT
sleep 1

fail() { echo "FAIL: $*"; failed=1; }
check() { local what=$1; shift; if "$@"; then echo "ok: $what"; else fail "$what"; fi; }
shot() { import -window root "$shots/$1.png"; }
drive_c=$WINEPREFIX/drive_c
unix_path() { local p=${1//\\//}; echo "$drive_c/${p#C:/}"; }
regval() { wine reg query "$1" ${2:+/v "$2"} 2>/dev/null | iconv -f CP850 -t UTF-8 2>/dev/null | tr -d '\r'; }
# The geometry of a top-level window whose name begins with Title and whose size is Size ("" for any).
window_at() {
  xwininfo -root -tree 2>/dev/null | grep -F "\"$1" | grep -E "\) +${2:-[0-9]+x[0-9]+}\+" | head -1 |
    sed -E 's/.*\) +([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+).*/\1 \2 \3 \4/'
}
wait_window() { # Title [Size] [seconds]
  for _ in $(seq 1 $((${3:-20} * 4))); do [ -n "$(window_at "$1" "${2:-}")" ] && return 0; sleep 0.25; done
  return 1
}
# Clicks at a point of the wizard's client area (the wizard: 560 x 380 inside its frame).
wizard_title="Installation d'Quillpad Bright Ink 1.5"
click() {
  read -r w h x y <<<"$(window_at "$wizard_title" 566x405)"
  xdotool mousemove $((x + 3 + $1)) $((y + h - 383 + $2)) click 1
  sleep 0.8
}
next() { click 424 359; }

# What the prefix holds before: the association of ".rtf".
rtf_before=$(regval 'HKCR\.rtf' | awk '/REG_SZ/ {print $NF}')

# ---- The wizard, page by page.
wine "$setup" >/dev/null 2>&1 &
setup_pid=$!
wait_window "$wizard_title" 566x405 30 || { fail "the wizard did not open"; exit 1; }
sleep 1.5
shot 0-welcome
next; shot 1-licence
next; shot 2-start-menu
next; shot 3-destination
next; shot 4-components
next; shot 5-ready
next
prog="$drive_c/Program Files/Quillpad"
for _ in $(seq 1 240); do [ -f "$prog/Quillpad.qsd" ] && break; sleep 0.25; done # the last file extracted
sleep 1.5
click $((150 + 8)) $((58 + 82 + 10)) # tick "Documents MS Word DOC"
shot 7-document-types
next; sleep 2; shot 8-shortcuts
next; shot 9-end
next # "Terminer": the program starts
for _ in $(seq 1 80); do kill -0 $setup_pid 2>/dev/null || break; sleep 0.25; done
check "the setup program ended" bash -c "! kill -0 $setup_pid 2>/dev/null"
check "the installed program started" wait_window "Quillpad" "" 20
# Its first start in a fresh prefix takes a while: the tips shown at start tell that it has painted.
check "the installed program finished starting" wait_window "Trucs et astuces" "" 40
sleep 1; shot 10-program

# ---- What the installation left.
spelling_files=("French.qsc" "English (American).qsc" "English (British).qsc" "Lex/francais.zlx"
  "Lex/lexique de la geographie.zlx" "Lex/lexique des noms propres.zlx" "Lex/english.zlx" "Lex/us.zlx"
  "Lex/uk.zlx")
for f in Quillpad.exe Licence.txt Lisez-moi.txt Orthographe/Bin/ssce5332.dll \
         "${spelling_files[@]/#/Orthographe/}" Orthographe/Lex/persodicfr.tlx \
         Orthographe/Lex/userdicen.tlx; do
  check "installed $f" test -f "$prog/$f"
done
log=$work/Install.log
iconv -f CP1252 -t UTF-8 "$prog/Install.log" | tr -d '\r' > "$log"
check "the log lists the program" grep -qx 'File Copy: C:\\Program Files\\Quillpad\\Quillpad.exe' "$log"
for f in "${spelling_files[@]}"; do
  check "the log lists $f" grep -qxF "File Copy: C:\\Program Files\\Quillpad\\Orthographe\\${f//\//\\}" "$log"
done
check "the log leaves the personal dictionaries out" bash -c "! grep -q -e persodicfr -e userdicen '$log'"
# The installed lexicons are the build's, byte for byte, and each is a zlib stream behind its signature.
lexicons=$(dirname "$setup")/Orthographe/Lex
for f in "${spelling_files[@]}"; do
  case $f in
    Lex/*) cmp -s "$prog/Orthographe/$f" "$lexicons/${f#Lex/}" || fail "$f differs from the build's" ;;
  esac
done
check "the lexicons inflate" python3 - "$prog/Orthographe/Lex" <<'PY'
import os, sys, zlib
for name in os.listdir(sys.argv[1]):
    if name.endswith('.zlx'):
        data = open(os.path.join(sys.argv[1], name), 'rb').read()
        assert data[:4] == bytes([0x01, 0x4C, 0xE5, 0xBF]), name
        assert zlib.decompress(data[4:])[:4] == b'QLEX', name
PY
check "the American system names its lexicons" bash -c "tr -d '\r' < '$prog/Orthographe/English (American).qsc' | \
  grep -qx 'Lexicon2=us.zlx'"
while IFS= read -r line; do
  case $line in "File Copy: "*) [ -e "$(unix_path "${line#File Copy: }")" ] || fail "logged but missing: $line" ;; esac
done < "$log"
install_key='HKCU\Software\Blue Heron Works, Inc.\Quillpad.1_x\Install'
check "installation folder remembered" grep -q 'C:\\Program Files\\Quillpad' <<<"$(regval "$install_key" MAINDIR)"
check "uninstall entry" grep -q 'Quillpad.exe" -ui' \
  <<<"$(regval 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillpad Bright Ink' UninstallString)"
check "desktop shortcut" test -n "$(find "$drive_c/users" -path '*esktop*' -name Quillpad.lnk)"
check "programs menu shortcuts" test -n "$(find "$drive_c" -path '*Programs/Quillpad/*' -name 'D*sinstallation.lnk')"
check ".rtf associated" grep -q Quillpad.Document <<<"$(regval 'HKCR\.rtf')"
check ".doc associated" grep -q Quillpad.Document <<<"$(regval 'HKCR\.doc')"
systems=$(regval 'HKCU\Software\Blue Heron Works, Inc.\Quillpad.1_x\SpellCheck' Systems)
for f in "French.qsc" "English (American).qsc" "English (British).qsc"; do
  check "spell checker $f added" grep -qF "Orthographe\\$f" <<<"$systems"
done
wine taskkill /F /IM Quillpad.exe >/dev/null 2>&1
sleep 1

# ---- The rest of the payload, read by independent tools: templates, examples, clips, sounds, help.
tpl="$prog/Modèles de document"
clips="$prog/Collections d'inserts"
for f in "$tpl/Normal.rtf" "$tpl/Brouillon.rtf" "$tpl/Lettres personnelles/Lettre personnelle 1.rtf" \
         "$prog/Exemples/Bienvenue dans Quillpad.rtf" "$prog/Exemples/Lettre de réclamation.rtf" \
         "$clips/Images/Soleil.png" "$clips/Symboles/Coeur.rtf" \
         "$clips/Formules de politesse/Salutations distinguées.rtf" \
         "$prog/Quillpad.chm" "$prog/Standard.qsn" "$prog/Quillpad.qsd"; do
  check "installed ${f#$prog/}" test -s "$f"
done
check "the example reads as text" grep -q "Bienvenue dans Quillpad" \
  <<<"$(unrtf --text "$prog/Exemples/Bienvenue dans Quillpad.rtf" 2>/dev/null)"
check "the letter template reads as text" grep -q "Signature" \
  <<<"$(unrtf --text "$tpl/Lettres personnelles/Lettre personnelle 1.rtf" 2>/dev/null)"
check "the example opens in LibreOffice" bash -c "cd '$work' && soffice --headless --convert-to txt:Text \
  --outdir '$work/lo' '$prog/Exemples/Lettre de réclamation.rtf' >/dev/null 2>&1 && \
  grep -q 'salutations distinguées' '$work/lo/Lettre de réclamation.txt'"
check "the picture clip is a valid PNG" pngcheck -q "$clips/Images/Soleil.png"
rm -rf "$work/chm"
check "the help file holds its pages" bash -c "extract_chmLib '$prog/Quillpad.chm' '$work/chm' >/dev/null && \
  grep -q 'Premiers pas' '$work/chm/html/premiers-pas.htm'"
check "the help file has the program's help window" grep -q default_wnd <(strings "$prog/Quillpad.chm")
check "the sound settings name the scheme" grep -q "SoundScheme=Standard.qsn" <(tr -d '\r' < "$prog/Quillpad.qsd")
check "the sound scheme holds waves that sox reads" python3 - "$prog/Standard.qsn" "$work/waves" <<'PY'
import os, struct, subprocess, sys, zlib
data = open(sys.argv[1], 'rb').read()
assert data[:4] == bytes([0x04, 0x4C, 0xE5, 0xAF]), 'signature'
def elements(start, end):
    pos = start
    while pos < end:
        length, kind, n = struct.unpack_from('<IBB', data, pos)
        assert length >= 2 + n and pos + 4 + length <= end, 'element overruns'
        yield data[pos + 6:pos + 6 + n].decode('cp1252'), pos + 6 + n, pos + 4 + length
        pos += 4 + length
os.makedirs(sys.argv[2], exist_ok=True)
events = []
for name, a, b in elements(4, len(data)):
    if name != 'SOUND':
        continue
    parts = {n: data[x:y] for n, x, y in elements(a, b)}
    event = parts['EVENT'].decode('cp1252')
    wave = os.path.join(sys.argv[2], event + '.wav')
    open(wave, 'wb').write(zlib.decompress(parts['WAVE']))
    out = subprocess.run(['soxi', '-D', wave], capture_output=True, text=True, check=True).stdout
    assert 0.05 < float(out) < 2, (event, out)
    events.append(event)
assert {'START', 'EXIT', 'SAVEDOC', 'MISSPELLEDWORD'} <= set(events), events
PY
check "the log lists the help and the examples" bash -c "grep -q 'Quillpad.chm$' '$log' && grep -q 'Exemples.Bienvenue' '$log'"
check "the log leaves templates and clips out" bash -c "! grep -q -e 'Normal.rtf' -e 'Soleil.png' -e 'Quillpad.qsd' '$log'"

# ---- Uninstallation: a user's file placed in the folder survives.
echo "mes notes" > "$prog/Mes notes.txt"
wine 'C:\Program Files\Quillpad\Quillpad.exe' -ui >/dev/null 2>&1 &
ui_pid=$!
check "the uninstaller asks first" wait_window "Confirmation" "" 20
sleep 1; shot 11-uninstall-question
xdotool key Return
check "the uninstaller reports its end" wait_window "Information" "" 20
sleep 1; shot 12-uninstall-done
xdotool key Return
for _ in $(seq 1 40); do kill -0 $ui_pid 2>/dev/null || break; sleep 0.25; done
for _ in $(seq 1 40); do [ -f "$prog/Quillpad.exe" ] || break; sleep 0.5; done
while IFS= read -r line; do
  case $line in "File Copy: "*) [ -e "$(unix_path "${line#File Copy: }")" ] && fail "left after uninstalling: $line" ;; esac
done < "$log"
check "the user's file survives" test -f "$prog/Mes notes.txt"
check "the templates stay (never logged)" test -f "$tpl/Normal.rtf"
check "the log is gone" test ! -e "$prog/Install.log"
check ".rtf given back" grep -q "$rtf_before" <<<"$(regval 'HKCR\.rtf')"
check "uninstall entry deleted" bash -c "! wine reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillpad Bright Ink' >/dev/null 2>&1"

# ---- Damaged setup files: each refused with the corruption message, nothing written.
damaged=$work/damaged
mkdir -p "$damaged"
python3 - "$setup" "$damaged" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
off = struct.unpack('<I', data[-8:-4])[0]
table = bytearray(zlib.decompress(data[off:-8]))
def entries():
    pos = 0
    while pos < len(table):
        n = table[pos]
        yield pos, bytes(table[pos + 1:pos + 1 + n])
        pos += 1 + n + 16
def with_table(t):
    packed = zlib.compress(bytes(t))
    return data[:off] + packed + struct.pack('<II', off, off)
def entry(name):
    return next(p for p, n in entries() if n == name)
def save(name, content):
    open(f'{sys.argv[2]}/{name}.exe', 'wb').write(content)
save('cut-short', data[:-1000])
save('table-offset-past-end', data[:-8] + struct.pack('<II', len(data) + 50, len(data) + 50))
t = bytearray(table); p = entry(b'Licence.txt'); t[p + 12:p + 16] = struct.pack('<I', 0xFFFFFFF0)
save('length-that-wraps', with_table(t))
t = bytearray(table); a = entry(b'Licence.txt') + 1 + 11 + 12; b = entry(b'Quillpad.exe') + 1 + 12 + 12
t[a:a + 4], t[b:b + 4] = t[b:b + 4], t[a:a + 4]
save('offsets-out-of-order', with_table(t))
t = bytearray(table); p = entry(b'Licence.txt'); t[p + 1:p + 12] = b'..\\evil.txt'
save('name-climbing-out', with_table(t))
t = bytearray(table); p = entry(b'Licence.txt'); t[p + 1:p + 12] = b'C:\\evil.txt'
save('name-with-a-drive', with_table(t))
q = struct.unpack('<I', table[entry(b'Quillpad.exe') + 1 + 12 + 12:][:4])[0]
save('damaged-stream', data[:q + 200] + bytes([data[q + 200] ^ 0x5A]) + data[q + 201:])
PY
first=1
for bad in "$damaged"/*.exe; do
  name=$(basename "$bad" .exe)
  before=$(find "$drive_c" -path "$drive_c/windows" -prune -o -print | sort | md5sum)
  wine "$bad" >/dev/null 2>&1 &
  pid=$!
  if wait_window "Erreur" "" 20; then
    [ $first -eq 1 ] && { sleep 1; shot "13-damaged-$name"; first=0; }
    xdotool key Return
    echo "ok: $name refused"
  else
    fail "$name: no error message"
  fi
  for _ in $(seq 1 40); do kill -0 $pid 2>/dev/null || break; sleep 0.25; done
  kill -0 $pid 2>/dev/null && { fail "$name: still running"; kill $pid; }
  [ -n "$(window_at "$wizard_title" 566x405)" ] && fail "$name: the wizard opened"
  after=$(find "$drive_c" -path "$drive_c/windows" -prune -o -print | sort | md5sum)
  [ "$before" = "$after" ] || fail "$name: something was written"
done
check "no file outside the destination" test -z "$(find "$work" -name 'evil.txt')"

[ $failed -eq 0 ] && echo "Setup end to end: all good (screenshots in $shots)"
exit $failed
