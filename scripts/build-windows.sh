#!/usr/bin/env bash
# Cross-builds the Windows program with Debian's MinGW-w64 compiler and packs it the two ways
# Windows users take it. Installs what it lacks from Debian's archive first.
#   build-windows/calvern.exe                   the whole program, statically linked
#   build-windows/calvern-setup.exe             installer (NSIS) for the current user
#   build-windows/calvern-VERSION-windows.zip   the same files, portable, in one folder
#   scripts/build-windows.sh            all three
#   scripts/build-windows.sh --werror   with warnings as errors (CI)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-windows"
werror=OFF
for flag in "$@"; do
  case "$flag" in
    --werror) werror=ON ;;
    *) echo "build-windows: unknown option $flag (use --werror)" >&2; exit 2 ;;
  esac
done

"$root/scripts/setup.sh" --windows

# The header-only libraries (nlohmann-json, stb_image) reach the cross compiler through
# a folder of their own: the host's /usr/include as a whole must stay out of its way.
headers="$build/header-only"
mkdir -p "$headers"
for dir in nlohmann stb; do
  ln -sfn "/usr/include/$dir" "$headers/$dir"
done

# ccache, where it is installed, keeps a second build of the same sources quick.
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" "${launcher[@]}" \
  -DCMAKE_BUILD_TYPE=Release -DCALVERN_TESTS=OFF -DCALVERN_BENCH=OFF \
  -DCALVERN_WERROR="$werror" -DCALVERN_HEADER_ONLY_INCLUDE="$headers" >/dev/null
cmake --build "$build" --target calvern -j"$(nproc)"

# What both packages hold: the program, its translations, the examples, the licence and a
# short read-me, text files with Windows line ends.
version=$(sed -n 's/^project(calvern VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
folder="calvern-$version"
stage="$build/package/$folder"
rm -rf "$build/package"
mkdir -p "$stage/examples"
crlf() { sed 's/\r*$/\r/' "$1" > "$2"; }
cp "$build/calvern.exe" "$root/lang/fr.LOC" "$root/lang/ru.LOC" "$stage/"
crlf "$root/LICENSE" "$stage/LICENSE.txt"
crlf "$root/packaging/windows/README.txt" "$stage/README.txt"
for example in "$root"/examples/*; do
  case "$example" in
    *.txt) crlf "$example" "$stage/examples/$(basename "$example")" ;;
    *) cp "$example" "$stage/examples/" ;;
  esac
done

# The uninstaller removes exactly the examples the installer put there.
for example in "$stage"/examples/*; do
  printf 'Delete "$INSTDIR\\examples\\%s"\n' "$(basename "$example")"
done > "$build/package/uninstall-examples.nsh"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DUNINSTALL_EXAMPLES="$build/package/uninstall-examples.nsh" \
  -DOUTFILE="$build/calvern-setup.exe" "$root/packaging/windows/calvern.nsi"

rm -f "$build/$folder-windows.zip"
(cd "$build/package" && cmake -E tar cf "$build/$folder-windows.zip" --format=zip "$folder")
echo "build-windows: $build/calvern.exe"
echo "build-windows: $build/calvern-setup.exe"
echo "build-windows: $build/$folder-windows.zip"
