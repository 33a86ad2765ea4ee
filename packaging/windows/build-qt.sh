#!/usr/bin/env bash
# Builds Qt for Windows once, static, from Debian's own qt6-base source, into a cache folder that
# every later Windows build reuses.
#   packaging/windows/build-qt.sh [INSTALL_FOLDER]
#   packaging/windows/build-qt.sh --ready [INSTALL_FOLDER]   (only says whether it is there: exit 0
#                                                           and the folder, or exit 1)
# Default folder: ${XDG_CACHE_HOME:-$HOME/.cache}/brummo/qt-6.4.2-mingw-static. Source and build
# folder sit beside it (INSTALL_FOLDER.work) until Qt is installed, so a build that was stopped
# resumes where it stopped. Prints the folder last, for callers.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ready_only=false
if [ "${1:-}" = --ready ]; then
  ready_only=true
  shift
fi
qt_version=6.4.2
prefix=${1:-${XDG_CACHE_HOME:-$HOME/.cache}/brummo/qt-$qt_version-mingw-static}
if $ready_only; then [ -d "$prefix" ] || exit 1; else mkdir -p "$prefix"; fi
prefix=$(cd "$prefix" && pwd)
work=$prefix.work
marker=$prefix/.installed
source_dir=$work/qtbase-everywhere-src-$qt_version
build_dir=$work/build
options_file=$build_dir/brummo-configure-options
# Qt's own toolchain file, which the game's build uses, loads this one from where Qt was configured
# with it: a copy in the cache keeps working when a work tree goes.
toolchain=$prefix/mingw-w64-x86_64.cmake

# Only what the game and its tests use. The last three lines are forced by 6.4.2 itself:
# Debian's source has no wintab.h, and the Windows plugin neither compiles nor configures
# without desktop OpenGL. Freetype is what the offscreen plugin draws text with on Windows.
configure_options=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=ON
  -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF
  -DFEATURE_tabletevent=OFF
  -DFEATURE_opengl=ON -DFEATURE_opengl_desktop=ON -DFEATURE_opengl_dynamic=OFF
)
# CMake keeps a feature's first value in its cache, so other options need a fresh build; the
# marker and the build folder each keep the options they were made with.
wanted_options=$(printf '%s\n' "$prefix" "${configure_options[@]}" && cat "$here/mingw-w64-x86_64.cmake")

if [ "$(cat "$marker" 2>/dev/null)" = "$wanted_options" ]; then
  echo "Qt $qt_version for Windows is ready in $prefix"
  echo "$prefix"
  exit 0
fi
$ready_only && exit 1
if [ -f "$marker" ]; then
  echo "The Qt in $prefix was built with other options: building it afresh."
  find "$prefix" -mindepth 1 -delete
fi

echo "Building Qt $qt_version for Windows into $prefix."
echo "The first build takes long: about 20-40 minutes on 2 cores. A build that was stopped resumes."
"$here/install-build-tools.sh"

if [ ! -f "$source_dir/CMakeLists.txt" ]; then
  echo "Fetching Debian's qt6-base source ..."
  rm -rf "$work/download" "$source_dir"
  mkdir -p "$work/download"
  (cd "$work/download" && apt-get source --download-only qt6-base >/dev/null)
  dsc=$(ls "$work/download/qt6-base_${qt_version}+"*.dsc 2>/dev/null) \
    || { echo "Debian's qt6-base source is not version $qt_version." >&2; exit 1; }
  # dpkg-source applies Debian's patches, so this is the Qt the Linux build runs on.
  dpkg-source --no-check -x "$dsc" "$source_dir" >/dev/null
  rm -rf "$work/download"
fi

if [ -d "$build_dir" ] && [ "$(cat "$options_file" 2>/dev/null)" != "$wanted_options" ]; then
  echo "The configuration changed: starting the Qt build afresh."
  rm -rf "$build_dir"
fi

if [ ! -f "$build_dir/build.ninja" ]; then
  echo "Configuring Qt $qt_version for Windows (about a minute) ..."
  configure_start=$SECONDS
  cp "$here/mingw-w64-x86_64.cmake" "$toolchain"
  cmake -G Ninja -S "$source_dir" -B "$build_dir" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    "${configure_options[@]}" >"$work/configure.log" 2>&1 \
    || { tail -n 30 "$work/configure.log"; echo "Configuring Qt failed; see $work/configure.log" >&2; exit 1; }
  printf '%s\n' "$wanted_options" >"$options_file"
  echo "Configured in $((SECONDS - configure_start)) s."
else
  echo "Resuming the Qt build in $build_dir."
fi

build_start=$SECONDS
# Ninja prints [done/total] on each line; that is the progress.
cmake --build "$build_dir"
echo "Built in $((SECONDS - build_start)) s."
cmake --install "$build_dir" >"$work/install.log"
printf '%s\n' "$wanted_options" >"$marker"
# The source and build folders have done their job, and they take about 4 GB.
rm -rf "$work"
echo "Qt $qt_version for Windows is ready in $prefix"
echo "$prefix"
