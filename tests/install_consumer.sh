#!/usr/bin/env bash
# Installs the build tree into a temporary prefix, builds the consumer project
# in tests/consumer against the installed package and checks what it prints
# against values worked out here.
#
#   install_consumer.sh BUILD_DIR CONSUMER_SOURCE CXX_COMPILER
set -euo pipefail

build=$1
consumer=$2
compiler=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "install test: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install failed"; }
for file in bin/tamboril bin/tamboril-stream include/tamboril/generators.hpp include/tamboril/cores/urn01.hpp; do
    [ -e "$work/prefix/$file" ] || fail "$file is not installed"
done
config=$(find "$work/prefix" -name tamborilConfig.cmake -path '*/cmake/tamboril/*')
[ -n "$config" ] || fail "no tamborilConfig.cmake under lib*/cmake/tamboril"
[ -e "$(dirname "$config")/tamborilConfigVersion.cmake" ] || fail "no version file beside the package file"
# The public headers stand on their own: nothing from the source tree.
if grep -rhoE '#include "[^"]*"' "$work/prefix/include" | grep -v '"tamboril/' >/dev/null; then
    fail "an installed header includes a header outside include/tamboril"
fi

cmake -S "$consumer" -B "$work/consumer" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER="$compiler" \
    -DCMAKE_PREFIX_PATH="$work/prefix" >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log" >&2; fail "configuring the consumer failed"; }
cmake --build "$work/consumer" >"$work/build.log" 2>&1 ||
    { cat "$work/build.log" >&2; fail "building the consumer failed"; }
"$work/consumer/app" >"$work/got.txt" || fail "the consumer exited with status $?"

# The expected output. URN10: 125 X mod 8192 from 1, values X / 8192.
# URN03: 65539 X mod 2^31 from 1, values X 2^-31 rounded to 24 significant
# bits (nearest, ties to even).
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

head -n 13 "$work/got.txt" >"$work/head.txt"
if ! diff -u "$work/expected.txt" "$work/head.txt" >&2; then
    fail "the consumer's values differ from the expected ones"
fi
error=$(sed -n '14p' "$work/got.txt")
case $error in
    "error URN07 "*URN01*URN39*) ;;
    *) fail "unexpected error line: $error" ;;
esac
# The lattice library and its program, where the build has them: RANDU's
# triples lie on 15 planes, (9, -6, 1) with 9 - 6 a + a^2 = 2^32.
if [ -x "$build/tamboril-lattice" ]; then
    for file in bin/tamboril-lattice include/tamboril/lattice.hpp; do
        [ -e "$work/prefix/$file" ] || fail "$file is not installed"
    done
    [ -x "$work/consumer/lattice_app" ] || fail "the package gives no tamboril::lattice"
    got=$("$work/consumer/lattice_app") || fail "the lattice consumer exited with status $?"
    [ "$got" = "t 3 nu2 118 vector 9 -6 1 planes 15" ] || fail "the lattice consumer printed: $got"
elif [ -e "$work/prefix/include/tamboril/lattice.hpp" ]; then
    fail "lattice.hpp is installed without the lattice library"
fi
echo "install test: the installed package builds and runs an outside consumer"
