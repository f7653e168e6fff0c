# tamboril.Generator against tamboril-stream, a separate program of the C++
# library: the same values for every generator, whole calls, seeds, cuts,
# skips and saved states; the errors, with the library's messages.
import copy
import pickle

import numpy as np
import pytest

import tamboril
from conftest import CATALOGUE, NAMES, stream_f32

COUNT = 23456  # two whole calls of 10 000 and a shorter one


def same_floats(got, expected):
    assert got.dtype == np.float32
    np.testing.assert_array_equal(got.view(np.uint32), expected.view(np.uint32))


def test_names_are_the_catalogue():
    assert tamboril.generator_names() == NAMES
    assert len(NAMES) == 26


@pytest.mark.parametrize("name,bits,low,high", CATALOGUE, ids=NAMES)
def test_values_equal_the_stream(name, bits, low, high):
    generator = tamboril.Generator(name)
    assert (generator.name, generator.bits) == (name, bits)
    same_floats(generator.values(COUNT), stream_f32(name, COUNT))
    # A seed, another cut, calls of sequence(), and what a skip leaves.
    seed = low + (high - low) // 3
    expected = stream_f32(name, 3 * 777, "--seed", seed, "--sequence", 777)
    seeded = tamboril.Generator(name, seed=seed)
    same_floats(seeded.values(777, sequence=777), expected[:777])
    same_floats(np.concatenate([seeded.sequence(777), seeded.sequence(777)]), expected[777:])
    skipped = tamboril.Generator(name, seed)
    skipped.discard(2 * 777, sequence=777)
    same_floats(skipped.values(777, 777), expected[2 * 777:])


@pytest.mark.parametrize("name", NAMES)
def test_discard_state_copy(name):
    # discard() leaves the state that values() leaves, a short last call included.
    made, passed = tamboril.Generator(name), tamboril.Generator(name)
    made.values(12345, sequence=1000)
    passed.discard(12345, sequence=1000)
    assert made.state == passed.state
    saved = passed.state
    twin = copy.copy(passed)
    first = twin.values(500)
    assert passed.state == saved                   # the copy goes on alone
    same_floats(passed.values(500), first)
    restored = tamboril.Generator(name)
    restored.state = saved
    same_floats(restored.values(500), first)
    assert copy.deepcopy(restored).state == restored.state
    for protocol in (0, pickle.HIGHEST_PROTOCOL):
        same_floats(pickle.loads(pickle.dumps(passed, protocol)).values(50), restored.values(50))
        passed.values(50)

def test_copies_are_independent():
    a = tamboril.Generator("URN01")
    b = copy.copy(a)
    a.values(5)
    assert b.state != a.state
    same_floats(b.values(5), stream_f32("URN01", 5))


@pytest.mark.parametrize("call,error,words", [
    (lambda: tamboril.Generator("URN99"), ValueError, "is not a generator of the catalogue"),
    (lambda: tamboril.Generator("URN07"), ValueError, "produces no values"),
    (lambda: tamboril.Generator("URN01", seed=0), ValueError, "the seed 0 is outside the range of IX, 1 to 2147483646"),
    (lambda: tamboril.Generator("URN01", seed=-5), ValueError, "the seed -5 is outside the range of IX"),
    (lambda: tamboril.Generator("URN01", seed=1.5), TypeError, "integer"),
    (lambda: tamboril.Generator("URN01").values(-1), ValueError, "negative dimensions are not allowed"),
    (lambda: tamboril.Generator("URN01").sequence(-1), ValueError, "negative dimensions are not allowed"),
    (lambda: tamboril.Generator("URN01").discard(-1), ValueError, "negative dimensions are not allowed"),
    (lambda: tamboril.Generator("URN01").values(2.0), TypeError, "integer"),
    (lambda: tamboril.Generator("URN01").sequence(2**31), ValueError, "at most 2147483647 values"),
    (lambda: tamboril.Generator("URN30").values(5, sequence=0), ValueError, "the values per call must be 1 or more, not 0"),
    (lambda: tamboril.Generator("URN34").discard(5, sequence=2**31), ValueError, "at most 2147483647 values"),
    (lambda: setattr(tamboril.Generator("URN01"), "state", "URN01 0"), ValueError, "is not a saved state of URN01"),
    (lambda: setattr(tamboril.Generator("URN01"), "state", "URN03 1"), ValueError, "is not a saved state of URN01"),
])
def test_errors(call, error, words):
    with pytest.raises(error, match=words):
        call()


def test_zero_values_and_numpy_integers():
    generator = tamboril.Generator("URN01")
    assert generator.values(0).shape == (0,)
    same_floats(generator.values(np.int64(3)), stream_f32("URN01", 3))
