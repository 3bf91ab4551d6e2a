#!/usr/bin/env bash
# Cross-builds Velmora for 64-bit Windows with MinGW-w64 on Debian 12: velmora.exe,
# velmora-convert.exe and the core and console tests, linked statically so that each .exe
# runs from a folder with nothing installed. The result lands in build/windows/.
#
# wxWidgets for MinGW is not packaged, so the first run builds the archive's own source
# package (base and core only, static) into ~/.cache/velmora/wx-mingw-<version>; later runs
# reuse it, as they do GoogleTest built from /usr/src/googletest, and libzip and pugixml built
# from their source packages.
#
#   scripts/build-windows.sh [build folder]      (default build/windows)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build=${1:-build/windows}

scripts/install-windows-deps.sh

jobs=$(nproc)
triplet=x86_64-w64-mingw32
cache=${VELMORA_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/velmora}
toolchain=$repo/cmake/toolchain-mingw64.cmake
mkdir -p "$cache"

# The compilers the toolchain file names; the posix thread model gives std::thread and
# std::mutex, which the win32 one lacks.
export CC=$triplet-gcc-posix CXX=$triplet-g++-posix

wx_version=$(apt-cache showsrc wxwidgets3.2 | awk '/^Version:/ { print $2; exit }')
[ -n "$wx_version" ] || { echo "build-windows: no source package wxwidgets3.2" >&2; exit 1; }
wx_prefix=$cache/wx-mingw-$wx_version

build_wx() {
  local work=$cache/work-wx-$wx_version
  rm -rf "$work" "$wx_prefix"
  mkdir -p "$work"
  (cd "$work" && apt-get source --download-only -qq wxwidgets3.2="$wx_version" &&
     dpkg-source -x --no-check ./*.dsc src >/dev/null)
  mkdir -p "$work/build"
  # Only base and core are built. Debian's source leaves out the bundled zlib, libpng,
  # libjpeg, libtiff and expat; Velmora reads no images but its built-in XPM icon and no XML,
  # so those stay off rather than being built from more source packages.
  (cd "$work/build" &&
     ../src/configure --host=$triplet --build="$(../src/config.guess)" --prefix="$wx_prefix" \
       --with-msw --disable-shared --disable-tests --disable-debug_info \
       --without-zlib --without-libpng --without-libjpeg --without-libtiff --without-expat \
       --without-liblzma --without-opengl --with-regex=builtin \
       --disable-xrc --disable-html --disable-htmlhelp --disable-aui \
       --disable-propgrid --disable-ribbon --disable-stc --disable-richtext \
       --disable-mediactrl --disable-webview --disable-webrequest --disable-sockets \
       --disable-debugreport --disable-secretstore --disable-svg --enable-pch \
       CXXFLAGS="-O2" CFLAGS="-O2" >configure.log 2>&1 &&
     make -j"$jobs" >make.log 2>&1 &&
     make install >install.log 2>&1) || {
    # Third-party warnings stay in the logs; a failure shows their end.
    tail -n 40 "$work"/build/*.log >&2
    return 1
  }
  touch "$wx_prefix/.complete"
  rm -rf "$work"
}

gtest_version=$(dpkg-query -W -f='${Version}' googletest)
gtest_prefix=$cache/gtest-mingw-$gtest_version

build_gtest() {
  local work=$cache/work-gtest-$gtest_version
  rm -rf "$work" "$gtest_prefix"
  cmake -S /usr/src/googletest -B "$work" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest_prefix" -DBUILD_GMOCK=ON \
    -Dgtest_disable_pthreads=OFF >/dev/null
  cmake --build "$work" -j"$jobs" >/dev/null
  cmake --install "$work" >/dev/null
  touch "$gtest_prefix/.complete"
  rm -rf "$work"
}

# libzip, which unpacks the EPUB, DOCX and ODT documents, from the archive's source package:
# static, without its tools, and without encryption (a protected document is refused, never
# opened). Its zlib is Debian's own MinGW build (libz-mingw-w64-dev), linked statically.
libzip_version=$(apt-cache showsrc libzip | awk '/^Version:/ { print $2; exit }')
[ -n "$libzip_version" ] || { echo "build-windows: no source package libzip" >&2; exit 1; }
libzip_prefix=$cache/libzip-mingw-$libzip_version

build_libzip() {
  local work=$cache/work-libzip-$libzip_version
  rm -rf "$work" "$libzip_prefix"
  mkdir -p "$work"
  (cd "$work" && apt-get source --download-only -qq libzip="$libzip_version" &&
     dpkg-source -x --no-check ./*.dsc src >/dev/null)
  (cmake -S "$work/src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
     -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$libzip_prefix" -DBUILD_SHARED_LIBS=OFF \
     -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF \
     -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_COMMONCRYPTO=OFF \
     -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF \
     -DZLIB_USE_STATIC_LIBS=ON >"$work/configure.log" 2>&1 &&
   cmake --build "$work/build" -j"$jobs" >"$work/make.log" 2>&1 &&
   cmake --install "$work/build" >"$work/install.log" 2>&1) || {
    tail -n 40 "$work"/*.log >&2
    return 1
  }
  touch "$libzip_prefix/.complete"
  rm -rf "$work"
}

# pugixml, which parses the documents' XML, from the archive's source package, static.
pugixml_version=$(apt-cache showsrc pugixml | awk '/^Version:/ { print $2; exit }')
[ -n "$pugixml_version" ] || { echo "build-windows: no source package pugixml" >&2; exit 1; }
pugixml_prefix=$cache/pugixml-mingw-$pugixml_version

build_pugixml() {
  local work=$cache/work-pugixml-$pugixml_version
  rm -rf "$work" "$pugixml_prefix"
  mkdir -p "$work"
  (cd "$work" && apt-get source --download-only -qq pugixml="$pugixml_version" &&
     dpkg-source -x --no-check ./*.dsc src >/dev/null)
  (cmake -S "$work/src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
     -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$pugixml_prefix" -DBUILD_SHARED_LIBS=OFF \
     -DPUGIXML_BUILD_TESTS=OFF >"$work/configure.log" 2>&1 &&
   cmake --build "$work/build" -j"$jobs" >"$work/make.log" 2>&1 &&
   cmake --install "$work/build" >"$work/install.log" 2>&1) || {
    tail -n 40 "$work"/*.log >&2
    return 1
  }
  touch "$pugixml_prefix/.complete"
  rm -rf "$work"
}

# Builds of the cache by two runs at once would clear each other's work folders: one at a
# time, and a run that waited finds the cache complete.
exec 9>"$cache/.lock"
flock 9
if [ ! -e "$wx_prefix/.complete" ]; then
  echo "== building wxWidgets $wx_version for MinGW into $wx_prefix (once per machine)"
  time build_wx
fi
if [ ! -e "$gtest_prefix/.complete" ]; then
  echo "== building GoogleTest $gtest_version for MinGW into $gtest_prefix"
  build_gtest
fi

if [ ! -e "$libzip_prefix/.complete" ]; then
  echo "== building libzip $libzip_version for MinGW into $libzip_prefix"
  build_libzip
fi
if [ ! -e "$pugixml_prefix/.complete" ]; then
  echo "== building pugixml $pugixml_version for MinGW into $pugixml_prefix"
  build_pugixml
fi
flock -u 9

echo "== cross-building Velmora into $build"
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DwxWidgets_CONFIG_EXECUTABLE="$wx_prefix/bin/wx-config" \
  -DVELMORA_MINGW_PREFIXES="$wx_prefix;$gtest_prefix;$libzip_prefix;$pugixml_prefix" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$repo/tests/windows/wine.sh" \
  -DVELMORA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$jobs"
