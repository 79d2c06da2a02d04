# The Debian package, built once from this build's install rules: its name, version and found
# dependencies, the checkers of the ecosystem (lintian with no errors, desktop-file-validate,
# appstreamcli), the files it holds (the same as cmake --install's), and the installed program
# unpacked into a scratch root (dpkg -x) rendering piece three from an empty directory with the
# data installed beside it.
set -u
. "$(dirname "$0")/../show_data.bash"
for tool in cmake cpack dpkg-deb dpkg-shlibdeps file lintian desktop-file-validate appstreamcli man ffprobe; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh installs it)"
done
[ -f "$BUILD/CPackConfig.cmake" ] && [ -f "$BUILD/data.data" ] || skip "$BUILD has no package configuration or data yet"

cpack --config "$BUILD/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(tail -20 "$work/cpack.log")"
debs=("$work"/package/*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "expected one package: $(ls "$work/package")"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
arch=$(dpkg-deb -f "$deb" Architecture)
[ "$(basename "$deb")" = "triptych_${version}_${arch}.deb" ] || fail "package named $(basename "$deb")"
echo "built $(basename "$deb"), $(stat -c %s "$deb") bytes"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libsdl2 libavcodec libturbojpeg0 libopenmpt0 libmpg123-0 libc6; do
    [[ "$depends" == *"$library"* ]] || fail "the dependencies found leave out $library: $depends"
done

# lintian: errors fail; everything else is listed.
lintian_code=0
lintian --display-info --pedantic --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 || lintian_code=$?
echo "lintian:"
sed 's/^/  /' "$work/lintian.txt"
[ "$lintian_code" = 0 ] && ! grep -q '^E: ' "$work/lintian.txt" || fail "lintian reports errors"

echo "files:"
dpkg-deb -c "$deb" | awk '{ print "  " $6 }' | tee "$work/files.txt"
for path in usr/bin/triptych usr/share/triptych/data.data usr/share/applications/org.example.triptych.desktop \
    usr/share/icons/hicolor/256x256/apps/org.example.triptych.png usr/share/metainfo/org.example.triptych.metainfo.xml \
    usr/share/man/man6/triptych.6.gz usr/share/doc/triptych/copyright usr/share/doc/triptych/changelog.gz; do
    grep -qx "  ./$path" "$work/files.txt" || fail "the package has no /$path"
done

root=$work/root
dpkg -x "$deb" "$root" || fail "dpkg -x failed"
desktop-file-validate "$root/usr/share/applications/org.example.triptych.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.triptych.metainfo.xml" ||
    fail "appstreamcli validate"
# The tree as a whole: the metadata's launchable names the desktop entry, whose icon is installed.
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/man6/triptych.6.gz" >"$work/man.txt" \
    2>"$work/man.err" || fail "man cannot show the manual page: $(cat "$work/man.err")"
[ ! -s "$work/man.err" ] || fail "the manual page has formatting warnings: $(cat "$work/man.err")"
grep -q "^NAME" "$work/man.txt" || fail "the manual page shows no NAME section"
file "$root/usr/share/icons/hicolor/256x256/apps/org.example.triptych.png" | grep -q "PNG image data, 256 x 256" ||
    fail "the icon is no 256x256 PNG: $(file "$root/usr/share/icons/hicolor/256x256/apps/org.example.triptych.png")"
cmp -s "$root/usr/share/triptych/data.data" "$BUILD/data.data" || fail "the packaged data is not the build's data.data"
# make install puts the same files in place.
DESTDIR="$work/installed" cmake --install "$BUILD" --prefix /usr >"$work/install.log" 2>&1 ||
    fail "cmake --install: $(tail -5 "$work/install.log")"
diff <(cd "$work/installed" && find . | sort) <(cd "$root" && find . | sort) >"$work/install.diff" ||
    fail "make install and the package differ in their files: $(cat "$work/install.diff")"

# The installed program: its version is the package's; from an empty directory, with no data in
# the XDG folders, it finds ../share/triptych/data.data from its bin folder and renders there.
[ "$("$root/usr/bin/triptych" --version)" = "triptych $version" ] ||
    fail "--version says '$("$root/usr/bin/triptych" --version)', the package is $version"
mkdir -p "$work/empty" "$work/no-data" "$work/tmp"
code=0
(cd "$work/empty" && XDG_DATA_DIRS="$work/no-data" TMPDIR="$work/tmp" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    TRIPTYCH_NO_BOXES=1 timeout 300 "$root/usr/bin/triptych" video nomenu pieces=3 fps 1 codec=mjpeg \
    >"$work/render.out" 2>"$work/render.err") || code=$?
[ "$code" = 0 ] || fail "the installed program ended with $code: $(tail -5 "$work/render.err")"
[ "$(ls "$work/empty")" = piece_3.avi ] || fail "expected piece_3.avi alone, found: $(ls "$work/empty")"
frames=$(ffprobe -v error -count_frames -select_streams v -show_entries stream=nb_read_frames -of csv=p=0 \
    "$work/empty/piece_3.avi")
[ "${frames:-0}" -gt 100 ] || fail "piece_3.avi holds ${frames:-no} frames"
grep -q "created by" "$work/render.out" || fail "no credits after the render"
[ -z "$(ls -A "$work/tmp")" ] || fail "files left in the temporary directory"
echo "the installed program rendered piece_3.avi ($frames frames) from an empty directory"
echo "PASS"
