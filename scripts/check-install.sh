#!/usr/bin/env bash
# Checks what a host developer and a user get, without the source tree:
#  1. installs a release build into a temporary prefix and checks the installed
#     library (SONAME), headers, CMake package, pkg-config file, Designer plugin,
#     desktop entry and manual page;
#  2. copies examples/host out of the tree, builds it against that prefix alone
#     (CMAKE_PREFIX_PATH) and has it create a new book from the sample book
#     offscreen, driving the control through Qt's meta-object;
#  3. makes the Debian package (cpack -G DEB), unpacks it into a temporary root
#     and runs ledgerwiz --help and ledgerwiz create on the sample book from there.
#   scripts/check-install.sh              sets up and builds build-release (as run-main.sh does)
#   scripts/check-install.sh BUILD_DIR    uses another build folder as it is (build it first;
#                                         the install needs what the default target builds)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if (($#)); then
  build=$(realpath "$1")
else
  build=$root/build-release
  # Prefix /usr: the Debian layout (lib/<multiarch>), where Qt's plugins are found.
  "$root/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DKX_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/kxLedgerWiz-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
step() { echo "== $*" >&2; }
fail() { echo "check-install: $*" >&2; exit 1; }
# Runs a command with its output in $work/log, shown only when it fails.
quiet() { "$@" >"$work/log" 2>&1 || { cat "$work/log" >&2; fail "failed: $*"; }; }

step "install into a temporary prefix"
prefix=$work/prefix
quiet cmake --install "$build" --prefix "$prefix"
libdir=$(dirname "$(find "$prefix" -name libkxLedgerWiz.so -print -quit)")
[[ -n $libdir && -f $libdir/libkxLedgerWiz.so.1 ]] || fail "libkxLedgerWiz.so.1 not installed"
soname=$(objdump -p "$libdir/libkxLedgerWiz.so" | awk '$1 == "SONAME" { print $2 }')
[[ $soname == libkxLedgerWiz.so.1 ]] || fail "SONAME is '$soname'"
for file in include/kxLedgerWizComponent.h include/kxLedgerWizControl.h bin/ledgerwiz share/applications/ledgerwiz.desktop \
            share/icons/hicolor/scalable/apps/ledgerwiz.svg share/man/man1/ledgerwiz.1.gz; do
  [[ -f $prefix/$file ]] || fail "$file not installed"
done
[[ -f $libdir/kxLedgerWiz.idl && -f $libdir/cmake/kxLedgerWiz/kxLedgerWizConfig.cmake ]] ||
  fail "interface description or CMake package not installed"
desktop-file-validate "$prefix/share/applications/ledgerwiz.desktop"
plugin=$(find "$prefix" -path '*/plugins/designer/libkxLedgerWizDesigner.so' -print -quit)
[[ -n $plugin ]] || fail "the Qt Designer plugin is not installed in a plugins/designer folder"
# Run paths, not LD_LIBRARY_PATH, lead the installed files to the private libraries.
if ldd "$prefix/bin/ledgerwiz" "$libdir/libkxLedgerWiz.so.1" "$plugin" | grep "not found"; then
  fail "installed files miss libraries"
fi
# The installed package files must not lead back into the source or build tree.
if grep -rl -e "$root" "$libdir/cmake" "$libdir/pkgconfig"; then fail "installed package files name $root"; fi
version=$(PKG_CONFIG_PATH=$libdir/pkgconfig pkg-config --modversion kxLedgerWiz)
[[ $version == 1.0 ]] || fail "pkg-config gives version '$version'"
[[ $(PKG_CONFIG_PATH=$libdir/pkgconfig pkg-config --variable=includedir kxLedgerWiz) -ef $prefix/include ]] ||
  fail "pkg-config does not find the installed headers"
# A plain C host, compiled and linked with what pkg-config gives.
printf '#include <kxLedgerWizComponent.h>\nint main(void) { return DllCanUnloadNow() == KX_S_OK ? 0 : 1; }\n' \
  >"$work/c-host.c"
# shellcheck disable=SC2046 # the flags are separate words
quiet cc -Wall -Werror -o "$work/c-host" "$work/c-host.c" -Wl,-rpath,"$libdir" \
  $(PKG_CONFIG_PATH=$libdir/pkgconfig pkg-config --cflags --libs kxLedgerWiz)
"$work/c-host" || fail "a C host linked through pkg-config does not run"

step "build the example host against the installed package only"
cp -r "$root/examples/host" "$work/host-src"
quiet cmake -S "$work/host-src" -B "$work/host-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$prefix"
quiet cmake --build "$work/host-build"

step "create a new book from the sample book through the example host"
app=$work/app
quiet "$prefix/bin/ledgerwiz" books --app "$app" books.txt # the sample book and the list
"$work/host-build/ledgerwiz-host" --app "$app" --auto --template 0 --operator 主管 --password 8888 \
  --name 示例宿主账簿 --company 上海某某贸易有限公司 --director 王建国 --month 2026-01
"$prefix/bin/ledgerwiz" books --app "$app" books.txt | grep -q 示例宿主账簿 ||
  fail "the book list has no new book from the example host"

step "make the Debian package"
(cd "$build" && quiet cpack -G DEB -B "$work/package")
deb=$(find "$work/package" -maxdepth 1 -name 'kxledgerwiz_*.deb' -print -quit)
[[ -n $deb ]] || fail "cpack made no package"
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6widgets6* ]] || fail "package dependencies from dpkg-shlibdeps are missing: '$depends'"

step "run ledgerwiz from the unpacked package"
dpkg-deb -x "$deb" "$work/root"
packaged_lib=$(dirname "$(find "$work/root" -name libkxLedgerWiz.so.1 -print -quit)")
export LD_LIBRARY_PATH=$packaged_lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
"$work/root/usr/bin/ledgerwiz" --help | grep -q "ledgerwiz create" || fail "ledgerwiz --help"
quiet "$work/root/usr/bin/ledgerwiz" create --app "$work/app2" --template 0 --operator 主管 --password 8888 \
  --name 包内新账簿 --company 上海某某贸易有限公司 --month 2026-01
"$work/root/usr/bin/ledgerwiz" books --app "$work/app2" books.txt | grep -q 包内新账簿 ||
  fail "the packaged ledgerwiz did not list its new book"
echo "check-install: installed tree, example host and Debian package are fine ($(basename "$deb"))" >&2
