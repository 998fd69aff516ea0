#!/usr/bin/env bash
# Checks a built Vantrel Debian package: its control fields, that its dependencies name the
# libraries the programs link (found by dpkg-shlibdeps), that it holds the whole installed
# tree under /usr, and that lintian, Debian's own package checker, finds no error and no
# warning (those accepted are overridden in the package, each with its reason).
# Usage: check-deb.sh PACKAGE.deb [APP_ID]  (the id by default from the package's metainfo)
set -euo pipefail
deb=$1 app_id=${2:-}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vantrel ] || fail "package name is $(field Package)"
[ "$(field Section)" = utils ] || fail "section is $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture is $(field Architecture)"
[ "$(field Description | wc -l)" -gt 3 ] || fail "the description has no long part"
depends=$(field Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libudev1 libevdev2 libx11-6 libxtst6; do
    tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }' | grep -qx "$library" ||
        fail "Depends lacks $library: $depends"
done
# The pictures are drawn at build time: the installed programs never load Qt SVG.
if tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }' | grep -qx libqt6svg6; then
    fail "Depends names libqt6svg6, which no installed program links: $depends"
fi

contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
if [ -z "$app_id" ]; then
    app_id=$(sed -n 's|^\./usr/share/metainfo/\(.*\)\.metainfo\.xml$|\1|p' <<<"$contents")
fi
for path in usr/bin/vantrel usr/libexec/vantrel-editor usr/bin/vantrel-driver \
    usr/bin/x36-simdriver \
    usr/share/doc/vantrel/readme.html usr/share/doc/vantrel/copyright \
    usr/share/doc/vantrel/examples/combat.vtp usr/share/doc/vantrel/examples/combat.events \
    "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml" \
    usr/share/mime/packages/vantrel.xml usr/share/icons/hicolor/scalable/apps/vantrel.svg \
    usr/share/icons/hicolor/48x48/apps/vantrel.png usr/share/icons/hicolor/256x256/apps/vantrel.png \
    usr/share/man/man1/vantrel.1.gz usr/share/man/man1/vantrel-driver.1.gz \
    usr/share/man/man1/x36-simdriver.1.gz usr/share/doc/vantrel/changelog.gz \
    usr/lib/systemd/user/vantrel-driver.service usr/lib/udev/rules.d/60-vantrel-driver.rules; do
    grep -qx "\./$path" <<<"$contents" || fail "the package lacks /$path"
done
# Nothing outside /usr, and nothing of the build (tests, benchmarks, static libraries).
outside=$(grep -v -e '^\./$' -e '^\./usr/' <<<"$contents" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
! grep -q -e '\.a$' -e '_tests$' -e '/bench_' <<<"$contents" || fail "build files in the package"

if command -v lintian >/dev/null; then
    # lintian warns when run as root, as in a container; that says nothing of the package.
    if ! lintian --fail-on error,warning --allow-root "$deb" >"$deb.lintian" 2>&1; then
        fail "lintian: $(grep -E '^[EW]: ' "$deb.lintian" || cat "$deb.lintian")"
    fi
else
    fail "lintian is missing: scripts/install-deps package installs it"
fi

if [ $failures -ne 0 ]; then
    echo "$failures problem(s) in $deb"
    exit 1
fi
echo "$deb: $(field Package) $(field Version), Depends: $depends"
