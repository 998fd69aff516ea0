#!/usr/bin/env bash
# Installs a build into a DESTDIR as a packager does (prefix /usr) and checks the tree: the
# programs, guide and examples, desktop entry, AppStream data, file types, icons, manual pages
# and the driver's service and udev rule; then runs the installed program from there.
# Usage: install-check.sh BUILD_DIR WORK_DIR APP_ID README_FROM_EDITOR_DIR
set -euo pipefail
build=$1 work=$2 app_id=$3 readme_from_bindir=$4
rm -rf "$work"
mkdir -p "$work"
dest="$work/root"
usr="$dest/usr"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
need() { [ -e "$usr/$1" ] || fail "$1 is not installed"; }

DESTDIR="$dest" cmake --install "$build" --prefix /usr >"$work/install.log" ||
    { cat "$work/install.log"; exit 1; }

for program in vantrel vantrel-driver x36-simdriver; do
    [ -x "$usr/bin/$program" ] || fail "bin/$program is not installed as a program"
done
# The editor program, which vantrel runs from the folder of the programs users do not run;
# neither carries an RPATH, and vantrel itself links no Qt.
[ -x "$usr/libexec/vantrel-editor" ] || fail "libexec/vantrel-editor is not installed as a program"
for elf in "$usr/bin/vantrel" "$usr/libexec/vantrel-editor"; do
    ! readelf -d "$elf" | grep -qE '\((RPATH|RUNPATH)\)' || fail "${elf#"$usr/"} has an RPATH"
done
! readelf -d "$usr/bin/vantrel" | grep -q 'NEEDED.*libQt6' || fail "bin/vantrel links Qt"
need share/doc/vantrel/readme.html
need share/doc/vantrel/copyright
for example in combat.vtp combat.events flaps-gear.vtp mouse-hat.vtp; do
    need "share/doc/vantrel/examples/$example"
done
# The guide's pictures, taken at build time, beside the guide that names them.
for image in $(grep -o 'src="images/[^"]*"' "$usr/share/doc/vantrel/readme.html" | cut -d'"' -f2); do
    [ -s "$usr/share/doc/vantrel/$image" ] || fail "the guide's picture $image is not installed"
done
grep -q 'src="images/' "$usr/share/doc/vantrel/readme.html" || fail "the guide shows no pictures"
# Help > Readme looks for the guide at this path from the editor program's folder.
[ -f "$usr/libexec/$readme_from_bindir" ] || fail "the guide is not at libexec/$readme_from_bindir"

# Icons: the scalable original and each fixed size, a PNG of that size.
need share/icons/hicolor/scalable/apps/vantrel.svg
for size in 16 24 32 48 64 128 256; do
    png="$usr/share/icons/hicolor/${size}x${size}/apps/vantrel.png"
    if [ ! -f "$png" ]; then
        fail "no ${size}x${size} icon"
        continue
    fi
    # The PNG header's width and height, big-endian at bytes 16 and 20.
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }')
    [ "$width x $height" = "$size x $size" ] || fail "the ${size}px icon is $width x $height"
done

for page in vantrel vantrel-driver x36-simdriver; do
    gzip -t "$usr/share/man/man1/$page.1.gz" 2>/dev/null || fail "man page $page(1) missing or damaged"
done

unit="$usr/lib/systemd/user/vantrel-driver.service"
grep -qx 'ExecStart=/usr/bin/vantrel-driver --background' "$unit" ||
    fail "the user service does not start /usr/bin/vantrel-driver"
need lib/udev/rules.d/60-vantrel-driver.rules

# The desktop entry and the AppStream data, as the distributions' tools check them.
desktop="$usr/share/applications/$app_id.desktop"
metainfo="$usr/share/metainfo/$app_id.metainfo.xml"
if desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1; then
    grep -q '^Exec=vantrel --edit %f$' "$desktop" || fail "the desktop entry does not run vantrel --edit"
else
    fail "desktop-file-validate: $(cat "$work/desktop.log")"
fi
appstreamcli validate --no-net --explain "$metainfo" >"$work/appstream.log" 2>&1 ||
    fail "appstreamcli validate: $(cat "$work/appstream.log")"

# The file types: a MIME database built from the installed package names both globs, and
# a profile is a kind of text file.
mkdir -p "$work/mime/packages"
cp "$usr/share/mime/packages/vantrel.xml" "$work/mime/packages/"
if update-mime-database "$work/mime" >"$work/mime.log" 2>&1; then
    grep -qx 'application/x-vantrel-profile:\*\.vtp' "$work/mime/globs" || fail "no glob *.vtp"
    grep -qx 'application/x-vantrel-device-profile:\*\.bpf' "$work/mime/globs" || fail "no glob *.bpf"
    grep -qx 'application/x-vantrel-profile text/plain' "$work/mime/subclasses" ||
        fail "a profile is not text/plain"
else
    fail "update-mime-database: $(cat "$work/mime.log")"
fi

# The installed program runs from the DESTDIR and translates an installed example into the
# same device file as the program in the build folder.
mkdir -p "$work/installed" "$work/built"
cp "$usr/share/doc/vantrel/examples/combat.vtp" "$work/installed/"
cp "$usr/share/doc/vantrel/examples/combat.vtp" "$work/built/"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
"$usr/bin/vantrel" "$work/installed/combat.vtp" || fail "the installed vantrel failed to translate"
"$build/vantrel" "$work/built/combat.vtp"
cmp -s "$work/installed/combat.bpf" "$work/built/combat.bpf" ||
    fail "the installed vantrel wrote a different device file"
[[ "$("$usr/bin/vantrel" --version)" == "vantrel "* ]] || fail "the installed vantrel --version"
# With a display named, vantrel hands the run over to the installed editor program; a display
# nobody serves then puts the message on stderr, as with none.
printf '%s\r\n' '<SCRIPTLIST>' Up Down '<AXIS_CHAINS>' '[Gear]' '(0 : 100 ; 3) ( + Up  - Down )' \
    '<PROGRAM_MODES>' '[DEFAULT]' 'XAxis = Gear' '{DEFAULT}' >"$work/installed/broken.vtp"
DISPLAY=:97 "$usr/bin/vantrel" "$work/installed/broken.vtp" 2>"$work/display.log" &&
    fail "the installed vantrel translated a broken profile"
grep -q 'no window can be shown' "$work/display.log" &&
    fail "the installed vantrel did not find its editor program: $(cat "$work/display.log")"
grep -qx 'Profile error.: Line 5: The axis chain Gear has no closing line.' "$work/display.log" ||
    fail "the installed vantrel lost its message: $(cat "$work/display.log")"
for program in vantrel-driver x36-simdriver; do
    [[ "$("$usr/bin/$program" --version)" == "$program "* ]] || fail "the installed $program --version"
done

if [ $failures -ne 0 ]; then
    echo "$failures problem(s) in the installed tree under $dest"
    exit 1
fi
rm -rf "$work"
echo "installed tree complete"
