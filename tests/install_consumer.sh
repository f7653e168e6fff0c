#!/usr/bin/env bash
# Installs the build tree into a temporary prefix, builds the consumer project
# in tests/consumer against the installed package, once through CMake's
# find_package and once through pkg-config alone, and checks what it prints
# against values worked out here. Then the same with the library built
# shared (-DBUILD_SHARED_LIBS=ON, from the same sources), and the static
# library linked whole into a shared object.
#
#   install_consumer.sh BUILD_DIR CONSUMER_SOURCE CXX_COMPILER
set -euo pipefail

build=$1
consumer=$2
compiler=$3
source=$(cd "$consumer/../.." && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "install test: $*" >&2
    exit 1
}

# Runs a command, its output kept in a log shown only when it fails.
quietly() {
    local what=$1 log=$work/log
    shift
    "$@" >"$log" 2>&1 || { cat "$log" >&2; fail "$what failed"; }
}

# The expected output of the consumer's app. URN10: 125 X mod 8192 from 1,
# values X / 8192. URN03: 65539 X mod 2^31 from 1, values X 2^-31 rounded to
# 24 significant bits (nearest, ties to even).
round24() {
    local x=$1 bits=0 shift q r half
    while ((x >> bits)); do bits=$((bits + 1)); done
    if ((bits <= 24)); then
        echo "$x"
        return
    fi
    shift=$((bits - 24))
    q=$((x >> shift))
    r=$((x & ((1 << shift) - 1)))
    half=$((1 << (shift - 1)))
    if ((r > half || (r == half && (q & 1)))); then q=$((q + 1)); fi
    echo $((q << shift))
}
{
    echo "names 26 URN01 URN39"
    x=1
    for _ in 1 2 3 4 5 6; do
        x=$((125 * x % 8192))
        echo "URN10 $x"
    done
    x=1
    for _ in 1 2 3 4 5; do
        x=$((65539 * x % 2147483648))
        echo "URN03 $(round24 "$x")"
    done
    echo "replay equal"
} >"$work/expected.txt"

# Checks the programs `app` and `engines` built in folder $1.
check_programs() {
    local dir=$1 label=$2 got error
    "$dir/app" >"$work/got.txt" || fail "$label: the consumer exited with status $?"
    head -n 13 "$work/got.txt" >"$work/head.txt"
    diff -u "$work/expected.txt" "$work/head.txt" >&2 || fail "$label: the consumer's values differ from the expected ones"
    error=$(sed -n '14p' "$work/got.txt")
    case $error in
        "error URN07 "*URN01*URN39*) ;;
        *) fail "$label: unexpected error line: $error" ;;
    esac
    got=$("$dir/engines") || fail "$label: the engine checks say: $got"
    [ "$got" = "engines 26 ok" ] || fail "$label: the engine checks printed: $got"
}

# Installs build folder $1 into prefix $2 and builds and checks the consumer
# against it both ways.
install_and_consume() {
    local from=$1 prefix=$2 label=$3 config pc flags
    quietly "cmake --install ($label)" cmake --install "$from" --prefix "$prefix"
    for file in bin/tamboril bin/tamboril-stream include/tamboril/generators.hpp include/tamboril/engine.hpp \
        include/tamboril/version.hpp include/tamboril/cores/urn01.hpp; do
        [ -e "$prefix/$file" ] || fail "$label: $file is not installed"
    done
    config=$(find "$prefix" -name tamborilConfig.cmake -path '*/cmake/tamboril/*')
    [ -n "$config" ] || fail "$label: no tamborilConfig.cmake under lib*/cmake/tamboril"
    [ -e "$(dirname "$config")/tamborilConfigVersion.cmake" ] || fail "$label: no version file beside the package file"
    # The manual pages, and the project's pages with their links whole.
    for file in share/man/man1/tamboril.1 share/man/man1/tamboril-stream.1 share/doc/tamboril/README.md \
        share/doc/tamboril/LICENSE; do
        [ -e "$prefix/$file" ] || fail "$label: $file is not installed"
    done
    for page in "$source"/docs/*.md; do
        [ -e "$prefix/share/doc/tamboril/docs/${page##*/}" ] || fail "$label: docs/${page##*/} is not installed"
    done
    if command -v python3 >/dev/null; then
        quietly "the installed pages' links ($label)" python3 "$source/tests/doc_links.py" "$prefix/share/doc/tamboril"
    fi
    pc=$(find "$prefix" -name tamboril.pc -path '*/pkgconfig/*')
    [ -n "$pc" ] || fail "$label: no lib*/pkgconfig/tamboril.pc"
    # The public headers stand on their own: nothing from the source tree.
    if grep -rhoE '#include "[^"]*"' "$prefix/include" | grep -v '"tamboril/' >/dev/null; then
        fail "$label: an installed header includes a header outside include/tamboril"
    fi
    # The version macros are the package's version.
    local version
    version=$(printf '#include <tamboril/version.hpp>\nTAMBORIL_VERSION_MAJOR.TAMBORIL_VERSION_MINOR.TAMBORIL_VERSION_PATCH\n' |
        "$compiler" -E -P -I"$prefix/include" - | tail -n 1 | tr -d ' ')
    grep -q "PACKAGE_VERSION \"$version\"" "$(dirname "$config")/tamborilConfigVersion.cmake" ||
        fail "$label: version.hpp says $version, unlike the CMake package"
    [ "$(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --modversion tamboril)" = "$version" ] ||
        fail "$label: tamboril.pc gives another version than $version"

    # Through find_package.
    quietly "configuring the consumer ($label)" cmake -S "$consumer" -B "$work/consumer-$label" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_PREFIX_PATH="$prefix"
    quietly "building the consumer ($label)" cmake --build "$work/consumer-$label"
    check_programs "$work/consumer-$label" "$label, CMake"

    # Through pkg-config alone.
    mkdir -p "$work/pkg-$label"
    if [ "$label" = static ]; then
        flags=$(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --static --cflags --libs tamboril)
    else
        flags=$(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --cflags --libs tamboril)
        flags="$flags -Wl,-rpath,$(dirname "$(dirname "$pc")")"
    fi
    for program in app:main.cpp engines:engines.cpp; do
        # shellcheck disable=SC2086 # the flags are words
        quietly "building ${program%%:*} with pkg-config ($label)" \
            "$compiler" -std=c++20 -O2 -o "$work/pkg-$label/${program%%:*}" "$consumer/${program#*:}" $flags
    done
    check_programs "$work/pkg-$label" "$label, pkg-config"
}

install_and_consume "$build" "$work/prefix" static
# The static library is position-independent: it links whole into a shared object.
archive=$(find "$work/prefix" -name libtamboril.a)
[ -n "$archive" ] || fail "no libtamboril.a installed"
quietly "linking libtamboril.a into a shared object" \
    "$compiler" -shared -o "$work/whole.so" -Wl,--whole-archive "$archive" -Wl,--no-whole-archive -pthread

# The lattice library and its program, where the build has them: RANDU's
# triples lie on 15 planes, (9, -6, 1) with 9 - 6 a + a^2 = 2^32.
if [ -x "$build/tamboril-lattice" ]; then
    for file in bin/tamboril-lattice include/tamboril/lattice.hpp share/man/man1/tamboril-lattice.1; do
        [ -e "$work/prefix/$file" ] || fail "$file is not installed"
    done
    [ -x "$work/consumer-static/lattice_app" ] || fail "the package gives no tamboril::lattice"
    got=$("$work/consumer-static/lattice_app") || fail "the lattice consumer exited with status $?"
    [ "$got" = "t 3 nu2 118 vector 9 -6 1 planes 15" ] || fail "the lattice consumer printed: $got"
elif [ -e "$work/prefix/include/tamboril/lattice.hpp" ]; then
    fail "lattice.hpp is installed without the lattice library"
fi

# The shared library, from the same sources: a versioned SONAME.
quietly "configuring the shared build" cmake -S "$source" -B "$work/shared-build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_COMPILER="$compiler" -DBUILD_SHARED_LIBS=ON -DTAMBORIL_TESTS=OFF -DTAMBORIL_BENCH=OFF
quietly "building the shared library" cmake --build "$work/shared-build" -j2
install_and_consume "$work/shared-build" "$work/shared-prefix" shared
library=$(find "$work/shared-prefix" -name 'libtamboril.so.*.*.*')
[ -n "$library" ] || fail "no versioned libtamboril.so installed"
major=$(basename "$library" | cut -d. -f3)
soname=$(objdump -p "$library" | awk '$1 == "SONAME" {print $2}')
[ "$soname" = "libtamboril.so.$major" ] || fail "the shared library's SONAME is \"$soname\", not libtamboril.so.$major"
needed=$(objdump -p "$work/consumer-shared/engines" | awk '$1 == "NEEDED" {print $2}')
grep -qx "libtamboril.so.$major" <<<"$needed" || fail "the shared consumer does not load libtamboril.so.$major"

echo "install test: the installed package builds and runs outside consumers, static and shared, through CMake and pkg-config"
