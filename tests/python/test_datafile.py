# tamboril.read_data_file: a real run's file read back as the nearest float
# to each printed decimal (worked out exactly here with fractions), which is
# the generator's value to ten decimals; 1.0 and lines that are not data lines.
import os
import tempfile
from fractions import Fraction

import numpy as np
import pytest

import tamboril
from conftest import run_program, stream_f32


def nearest_float(units):
    """The float32 nearest to units / 10^10, exactly (ties to even)."""
    exact = Fraction(units, 10**10)
    guess = np.float32(units / 1e10)
    candidates = [np.nextafter(guess, np.float32(-1)), guess, np.nextafter(guess, np.float32(2))]
    return min(candidates, key=lambda f: (abs(Fraction(float(f)) - exact), int(f.view(np.uint32)) & 1))


def decimals(text):
    lines = text.split(b"\r\n")
    assert lines[-1] == b""
    return [10**10 if line == b"*" * 11 else int(line[1:]) for line in lines[:-1]]


@pytest.fixture
def folder():
    with tempfile.TemporaryDirectory() as path:
        yield path


@pytest.mark.parametrize("name", ["URN01", "URN06"])
def test_a_run_read_back(folder, name):
    run_program(folder, f"{name}\n10000\n3\n\n")
    path = os.path.join(folder, "ARCH" + name)
    got = tamboril.read_data_file(path)
    assert got.dtype == np.float32 and got.shape == (30000,)
    with open(path, "rb") as f:
        units = decimals(f.read())
    expected = np.array([nearest_float(u) for u in units], dtype=np.float32)
    np.testing.assert_array_equal(got.view(np.uint32), expected.view(np.uint32))
    # The printed decimals are the generator's values to ten decimals.
    values = tamboril.Generator(name).values(30000, sequence=10000)
    np.testing.assert_array_equal(values, stream_f32(name, 30000))
    assert all(abs(Fraction(float(v)) - Fraction(u, 10**10)) <= Fraction(1, 2 * 10**10)
               for v, u in zip(values, units))
    assert (got != values).sum() < 100


def test_one_zero_and_halfway_points(folder):
    # Decimals next to points halfway between two floats, in many binades:
    # the nearest float is on the decimal's side.
    units = [0, 10**10, 1, 9999999999]
    for exponent in range(-1, -30, -3):
        for odd in (1, 2**23 + 1, 2**24 - 1):
            halfway = Fraction(2**24 + odd, 2**25) * Fraction(2)**(exponent + 1)
            near = halfway * 10**10
            units += [int(near), int(near) + 1]
    text = b"".join(b"*" * 11 + b"\r\n" if u == 10**10 else b".%010d\r\n" % u for u in units)
    path = os.path.join(folder, "ARCHTEST")
    with open(path, "wb") as f:
        f.write(text)
    got = tamboril.read_data_file(path)
    expected = np.array([nearest_float(u) for u in units], dtype=np.float32)
    np.testing.assert_array_equal(got.view(np.uint32), expected.view(np.uint32))
    assert got[1] == 1.0 and got[0] == 0.0
    assert tamboril.read_data_file(os.fsencode(path)).shape == (len(units),)


@pytest.mark.parametrize("text,line,shown", [
    (b".2500000000\r\n.25\r\n.5000000000\r\n", 2, r"b'.25\r\n'"),
    (b".2500000000\n.5000000000\r\n", 1, r"b'.2500000000\n'"),
    (b".2500000000\r\n.5000000000 \n", 2, r"b'.5000000000 \n'"),
    (b".2500000000\r\n.25000x0000\r\n", 2, r"b'.25000x0000\r\n'"),
    (b".2500000000\r\n0.500000000\r\n", 2, r"b'0.500000000\r\n'"),
    (b"**********.\r\n", 1, r"b'**********.\r\n'"),
    (b".2500000000\r\n.50000000", 2, r"b'.50000000'"),
    (b".2500000000\r\n\r\n", 2, r"b'\r\n'"),
    (b".25000000000\r\n", 1, r"b'.25000000000\r\n'"),
])
def test_lines_that_are_not_data_lines(folder, text, line, shown):
    path = os.path.join(folder, "ARCHBAD")
    with open(path, "wb") as f:
        f.write(text)
    with pytest.raises(ValueError) as error:
        tamboril.read_data_file(path)
    message = str(error.value)
    assert f"line {line} is not a data line" in message and message.endswith(shown)


def test_empty_and_missing_files(folder):
    path = os.path.join(folder, "ARCHEMPTY")
    open(path, "wb").close()
    assert tamboril.read_data_file(path).shape == (0,)
    with pytest.raises(FileNotFoundError):
        tamboril.read_data_file(os.path.join(folder, "ARCHNONE"))
