# tamboril.BitGenerator under numpy.random.Generator, for every generator:
# the words numpy draws equal those worked out from tamboril-stream's words
# (u32, and u32 --bits B for the packed bits), and numpy's distributions run.
import pickle

import numpy as np
import pytest

import tamboril
from conftest import CATALOGUE, NAMES, stream_u32

CALLS = 32 * 700  # values; more than two of the engine's calls of 10 000


@pytest.mark.parametrize("name,bits,low,high", CATALOGUE, ids=NAMES)
def test_words_equal_the_stream(name, bits, low, high):
    words = stream_u32(name, CALLS)
    engine_words = (words >> np.uint32(32 - bits)).astype(np.uint64)
    packed = stream_u32(name, CALLS, "--bits", bits)  # CALLS * bits / 32 words, all full

    raw = tamboril.BitGenerator(name)
    np.testing.assert_array_equal(raw.random_raw(CALLS), engine_words)

    doubles = np.random.Generator(tamboril.BitGenerator(name)).random(CALLS)
    np.testing.assert_array_equal(doubles, engine_words / 2.0**bits)

    uint32 = np.random.Generator(tamboril.BitGenerator(name)).integers(
        0, 2**32, size=packed.size, dtype=np.uint32)
    np.testing.assert_array_equal(uint32, packed)

    uint64 = np.random.Generator(tamboril.BitGenerator(name)).integers(
        0, 2**64, size=packed.size // 2, dtype=np.uint64)
    joined = packed[0::2].astype(np.uint64) << np.uint64(32) | packed[1::2]
    np.testing.assert_array_equal(uint64, joined)

    # A double or a raw word after a 32-bit word starts at the next value:
    # the bits left of the last value used are passed over.
    mixed_bits = tamboril.BitGenerator(name)
    mixed = np.random.Generator(mixed_bits)
    used = -(-32 // bits)
    assert mixed.integers(0, 2**32, dtype=np.uint32) == packed[0]
    assert mixed.random() == engine_words[used] / 2.0**bits
    assert mixed.integers(0, 2**32, dtype=np.uint32) >> (32 - bits) == engine_words[used + 1]
    assert mixed_bits.random_raw() == engine_words[2 * used + 1]
    joined = 0
    for word in engine_words[2 * used + 2:3 * used + 2]:
        joined = joined << bits | int(word)
    assert mixed.integers(0, 2**32, dtype=np.uint32) == joined >> (used * bits - 32)

    seeded = tamboril.BitGenerator(name, seed=high)
    np.testing.assert_array_equal(seeded.random_raw(100),
                                  stream_u32(name, 100, "--seed", high) >> np.uint32(32 - bits))


@pytest.mark.parametrize("name", NAMES)
def test_numpy_distributions(name):
    bit_generator = tamboril.BitGenerator(name)
    numbers = np.random.Generator(bit_generator)
    faces = numbers.integers(1, 7, size=6000)
    assert set(np.unique(faces)) == {1, 2, 3, 4, 5, 6}
    uniform = numbers.random(5000)
    assert uniform.min() >= 0.0 and uniform.max() < 1.0
    single = numbers.random(5000, dtype=np.float32)
    assert single.min() >= 0.0 and single.max() < 1.0 and single.mean() > 0.3
    assert np.isfinite(numbers.normal(size=5000)).all()
    cards = np.arange(52)
    numbers.shuffle(cards)
    assert sorted(cards) == list(range(52)) and list(cards) != list(range(52))
    # The state: set back, the same draws follow, leftover bits included.
    numbers.integers(0, 2**32, dtype=np.uint32)
    saved = bit_generator.state
    draws = (numbers.integers(0, 2**32, size=3, dtype=np.uint32), numbers.random(3), numbers.normal(size=3))
    bit_generator.state = saved
    again = (numbers.integers(0, 2**32, size=3, dtype=np.uint32), numbers.random(3), numbers.normal(size=3))
    for first, second in zip(draws, again):
        np.testing.assert_array_equal(first, second)
    # Pickled, numpy's Generator and the bit generator go on alike.
    numbers.integers(0, 2**32, dtype=np.uint32)
    twin = pickle.loads(pickle.dumps(numbers))
    np.testing.assert_array_equal(twin.integers(0, 2**32, size=5, dtype=np.uint32),
                                  numbers.integers(0, 2**32, size=5, dtype=np.uint32))
    assert pickle.loads(pickle.dumps(bit_generator, 0)).state == bit_generator.state


@pytest.mark.parametrize("state,words", [
    ({"bit_generator": "URN03"}, "keys"),
    ({"bit_generator": "URN01", "state": {"generator": "URN01 1", "given": 0}, "carry_bits": 0, "carry": 0}, "URN03"),
    ({"bit_generator": "URN03", "state": {"generator": "URN03 x", "given": 0}, "carry_bits": 0, "carry": 0}, "saved state"),
    ({"bit_generator": "URN03", "state": {"generator": "URN03 1", "given": 10000}, "carry_bits": 0, "carry": 0}, "0 to 9999"),
    ({"bit_generator": "URN03", "state": {"generator": "URN03 1", "given": 0}, "carry_bits": 3, "carry": 8}, "carry"),
])
def test_state_errors(state, words):
    bit_generator = tamboril.BitGenerator("URN03")
    before = bit_generator.state
    with pytest.raises(ValueError, match=words):
        bit_generator.state = state
    assert bit_generator.state == before


def test_capsule_and_lock():
    bit_generator = tamboril.BitGenerator("URN01")
    assert type(bit_generator.capsule).__name__ == "PyCapsule"
    with bit_generator.lock:
        pass
    with pytest.raises(ValueError, match="URN99"):
        tamboril.BitGenerator("URN99")
