// The Python module tamboril: the generators of the catalogue as numpy
// arrays of float32, a numpy BitGenerator over any of them, and the data
// file read back. Everything that makes values is the C++ library's.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "numpy/random/bitgen.h"
#include "tamboril/generators.hpp"

namespace py = pybind11;

namespace {

constexpr std::int32_t kDefaultSequence = tamboril::kDefaultValuesPerCall;

// ---------------------------------------------------------------------------
// Arguments as numpy takes them.

// A count: an integer as operator.index takes it (TypeError otherwise), not
// negative (ValueError, in numpy's words).
std::uint64_t count_argument(py::handle value) {
    PyObject* index = PyNumber_Index(value.ptr());
    if (index == nullptr) throw py::error_already_set();
    const auto number = py::reinterpret_steal<py::int_>(index);
    if (PyObject_RichCompareBool(number.ptr(), py::int_(0).ptr(), Py_LT) == 1) {
        throw py::value_error("negative dimensions are not allowed");
    }
    const unsigned long long count = PyLong_AsUnsignedLongLong(number.ptr());
    if (PyErr_Occurred()) {
        PyErr_Clear();
        throw py::value_error("the count " + std::string(py::str(py::handle(number))) + " is beyond 2^64 - 1");
    }
    return count;
}

// The values per call: checked by the library, whose refusal is the message
// for anything below 1.
std::int32_t sequence_argument(tamboril::Generator& generator, py::handle value) {
    PyObject* index = PyNumber_Index(value.ptr());
    if (index == nullptr) throw py::error_already_set();
    const auto number = py::reinterpret_steal<py::int_>(index);
    int overflow = 0;
    const long long n = PyLong_AsLongLongAndOverflow(number.ptr(), &overflow);
    if (overflow > 0 || n > INT32_MAX) throw py::value_error("a sequence holds at most 2147483647 values");
    if (overflow < 0 || n < 1) {
        // Passing zero values over changes nothing; a bad count is refused.
        generator.discard(0, static_cast<std::int32_t>(std::max<long long>(n, INT32_MIN)));
        throw py::value_error("the values per call must be 1 or more");
    }
    return static_cast<std::int32_t>(n);
}

std::unique_ptr<tamboril::Generator> make(const std::string& name, const py::object& seed) {
    auto generator = tamboril::make_generator(name);
    if (seed.is_none()) return generator;
    PyObject* index = PyNumber_Index(seed.ptr());
    if (index == nullptr) throw py::error_already_set();
    const auto number = py::reinterpret_steal<py::int_>(index);
    const unsigned long long v = PyLong_AsUnsignedLongLong(number.ptr());
    if (PyErr_Occurred()) {
        // Below 0 or beyond 64 bits: the library's words for a seed out of range.
        PyErr_Clear();
        const tamboril::SeedRange range = generator->seed_range();
        throw py::value_error(generator->name() + ": the seed " + std::string(py::str(py::handle(number))) +
                              " is outside the range of " + range.variable + ", " +
                              std::to_string(range.low) + " to " + std::to_string(range.high));
    }
    generator->seed(v);
    return generator;
}

// Runs f without the GIL, holding `mutex`: the object is used by one thread
// at a time, and other Python threads run meanwhile.
template <class F>
auto without_gil(std::mutex& mutex, F&& f) {
    py::gil_scoped_release release;
    std::lock_guard<std::mutex> lock(mutex);
    return f();
}

// ---------------------------------------------------------------------------
// tamboril.Generator

struct PyGenerator {
    explicit PyGenerator(std::unique_ptr<tamboril::Generator> g) : generator(std::move(g)) {}
    std::unique_ptr<tamboril::Generator> generator;
    std::mutex mutex;
};

py::array_t<float> sequence(PyGenerator& self, py::handle n_arg) {
    const std::uint64_t n = count_argument(n_arg);
    if (n > static_cast<std::uint64_t>(INT32_MAX)) throw py::value_error("a sequence holds at most 2147483647 values");
    py::array_t<float> out(static_cast<py::ssize_t>(n));
    float* data = out.mutable_data();
    without_gil(self.mutex, [&] { self.generator->sequence({data, static_cast<std::size_t>(n)}); });
    return out;
}

// The values of calls of `sequence` values and a last shorter call, as
// tamboril-stream cuts them.
py::array_t<float> values(PyGenerator& self, py::handle count_arg, py::handle sequence_arg) {
    const std::uint64_t count = count_argument(count_arg);
    const std::int32_t per_call = sequence_argument(*self.generator, sequence_arg);
    if (count > static_cast<std::uint64_t>(PTRDIFF_MAX) / sizeof(float)) throw std::bad_alloc();
    py::array_t<float> out(static_cast<py::ssize_t>(count));
    float* data = out.mutable_data();
    without_gil(self.mutex, [&] {
        for (std::uint64_t left = count; left > 0;) {
            const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(left, static_cast<std::uint64_t>(per_call)));
            self.generator->sequence({data, n});
            data += n;
            left -= n;
        }
    });
    return out;
}

void discard(PyGenerator& self, py::handle n_arg, py::handle sequence_arg) {
    const std::uint64_t n = count_argument(n_arg);
    const std::int32_t per_call = sequence_argument(*self.generator, sequence_arg);
    without_gil(self.mutex, [&] { self.generator->discard(n, per_call); });
}

std::unique_ptr<PyGenerator> copy_of(PyGenerator& self) {
    return std::make_unique<PyGenerator>(without_gil(self.mutex, [&] { return self.generator->clone(); }));
}

// ---------------------------------------------------------------------------
// tamboril.BitGenerator: the bitgen_t of numpy.random over a generator.
//
// Values come in calls of 10 000, as the engines of the C++ library make
// them (URN30 and URN34 depend on the cut). Each value s gives the engine's
// word w = floor(s 2^B) (2^B - 1 for 1.0). next_raw is w; next_double is
// w / 2^B; next_uint32 is the next 32 bits of the words written one after
// another, most significant bit first (tamboril-stream --format u32
// --bits B); next_uint64 is two of those, the first in the high half. Bits
// of a word that next_uint32 has not used are passed over by next_double
// and next_raw, which start at a new value.

class BitSource {
public:
    explicit BitSource(std::unique_ptr<tamboril::Generator> generator)
        : generator_(std::move(generator)), bits_(generator_->bits()) {
        values_.resize(kDefaultSequence);
        given_ = values_.size();
        bitgen_.state = this;
        bitgen_.next_uint64 = [](void* s) { return static_cast<BitSource*>(s)->next_uint64(); };
        bitgen_.next_uint32 = [](void* s) { return static_cast<BitSource*>(s)->next_uint32(); };
        bitgen_.next_double = [](void* s) { return static_cast<BitSource*>(s)->next_double(); };
        bitgen_.next_raw = [](void* s) { return static_cast<BitSource*>(s)->next_raw(); };
    }
    BitSource(const BitSource&) = delete;
    BitSource& operator=(const BitSource&) = delete;

    bitgen_t* bitgen() { return &bitgen_; }
    const tamboril::Generator& generator() const { return *generator_; }

    std::uint64_t next_raw() {
        drop_carry();
        return word();
    }
    double next_double() {
        drop_carry();
        return static_cast<double>(word()) * scale_;
    }
    std::uint32_t next_uint32() {
        // At most 31 bits are carried and a word has at most 32: 63 bits.
        while (carry_bits_ < 32) {
            carry_ = carry_ << bits_ | word();
            carry_bits_ += bits_;
        }
        carry_bits_ -= 32;
        const auto result = static_cast<std::uint32_t>(carry_ >> carry_bits_);
        carry_ &= (std::uint64_t{1} << carry_bits_) - 1;
        return result;
    }
    std::uint64_t next_uint64() {
        const std::uint64_t high = next_uint32();
        return high << 32 | next_uint32();
    }

    // The state: the generator where the call in progress began (or where
    // the next one begins), the values of that call given, the bits carried.
    struct State {
        std::string generator;
        std::int64_t given;
        int carry_bits;
        std::uint64_t carry;
    };
    State state() const {
        if (given_ == values_.size()) return {generator_->save(), 0, carry_bits_, carry_};
        return {call_start_->save(), static_cast<std::int64_t>(given_), carry_bits_, carry_};
    }
    void set_state(const State& state) {
        if (state.given < 0 || state.given >= static_cast<std::int64_t>(values_.size())) {
            throw std::invalid_argument("the values given of the call in progress must be 0 to " +
                                        std::to_string(values_.size() - 1) + ", not " + std::to_string(state.given));
        }
        if (state.carry_bits < 0 || state.carry_bits >= 32 || state.carry >> state.carry_bits != 0) {
            throw std::invalid_argument("the carried bits must be fewer than 32 and the carry below 2^" +
                                        std::to_string(state.carry_bits));
        }
        auto restored = generator_->clone();
        restored->restore(state.generator);
        generator_ = std::move(restored);
        given_ = values_.size();
        if (state.given > 0) {
            refill();
            given_ = static_cast<std::size_t>(state.given);
        }
        carry_bits_ = state.carry_bits;
        carry_ = state.carry;
    }

private:
    void drop_carry() {
        carry_bits_ = 0;
        carry_ = 0;
    }
    void refill() {
        call_start_ = generator_->clone();
        generator_->sequence(values_);
        given_ = 0;
    }
    std::uint32_t word() {
        if (given_ == values_.size()) refill();
        return tamboril::top_bits(values_[given_++], bits_);
    }

    std::unique_ptr<tamboril::Generator> generator_;    // after the values made
    std::unique_ptr<tamboril::Generator> call_start_;   // before the call in progress
    std::vector<float> values_;
    std::size_t given_ = 0;
    int bits_;
    double scale_ = 0x1p-32 * static_cast<double>(std::uint64_t{1} << (32 - bits_));
    int carry_bits_ = 0;
    std::uint64_t carry_ = 0;
    bitgen_t bitgen_{};
};

struct PyBitGenerator {
    PyBitGenerator(const std::string& name, const py::object& seed)
        : source(std::make_unique<BitSource>(make(name, seed))),
          capsule(static_cast<void*>(source->bitgen()), "BitGenerator"),
          lock(py::module_::import("threading").attr("Lock")()) {}
    std::unique_ptr<BitSource> source;
    py::capsule capsule;
    py::object lock;
};

// Runs f holding the object's lock, as numpy's own bit generators do.
template <class F>
auto with_lock(PyBitGenerator& self, F&& f) {
    self.lock.attr("acquire")();
    try {
        auto result = f();
        self.lock.attr("release")();
        return result;
    } catch (...) {
        self.lock.attr("release")();
        throw;
    }
}

py::dict bit_state(PyBitGenerator& self) {
    const auto state = with_lock(self, [&] { return self.source->state(); });
    py::dict inner;
    inner["generator"] = state.generator;
    inner["given"] = state.given;
    py::dict outer;
    outer["bit_generator"] = self.source->generator().name();
    outer["state"] = inner;
    outer["carry_bits"] = state.carry_bits;
    outer["carry"] = state.carry;
    return outer;
}

void set_bit_state(PyBitGenerator& self, const py::dict& value) {
    const std::string name = self.source->generator().name();
    try {
        if (value["bit_generator"].cast<std::string>() != name) {
            throw py::value_error("the state is not one of a " + name + " BitGenerator");
        }
        const py::dict inner = value["state"].cast<py::dict>();
        BitSource::State state{inner["generator"].cast<std::string>(), inner["given"].cast<std::int64_t>(),
                               value["carry_bits"].cast<int>(), value["carry"].cast<std::uint64_t>()};
        with_lock(self, [&] {
            self.source->set_state(state);
            return 0;
        });
    } catch (const py::error_already_set& e) {
        if (!e.matches(PyExc_KeyError)) throw;
        throw py::value_error("a BitGenerator state is a dict with the keys bit_generator, state "
                              "(generator, given), carry_bits and carry");
    } catch (const py::cast_error&) {
        throw py::value_error("a BitGenerator state is a dict with the keys bit_generator, state "
                              "(generator, given), carry_bits and carry");
    }
}

py::object random_raw(PyBitGenerator& self, const py::object& size) {
    if (size.is_none()) return py::int_(with_lock(self, [&] { return self.source->next_raw(); }));
    const std::uint64_t n = count_argument(size);
    py::array_t<std::uint64_t> out(static_cast<py::ssize_t>(n));
    std::uint64_t* data = out.mutable_data();
    with_lock(self, [&] {
        py::gil_scoped_release release;
        for (std::uint64_t i = 0; i < n; ++i) data[i] = self.source->next_raw();
        return 0;
    });
    return out;
}

// ---------------------------------------------------------------------------
// The data file read back.

constexpr std::size_t kRecord = 13;  // ".dddddddddd" or "***********", then CR LF

// The nearest float to u / 10^10, for 0 < u < 10^10. A halfway point between
// two floats of [2^E, 2^(E+1)) is m = k 2^(E-24), k odd, and
// |u / 10^10 - m| = 2^10 |u 2^(14-E) - k 5^10| / (10^10 2^(24-E)), where the
// integer in the bars is odd: no printed value lies nearer a halfway point
// than 2^-15 / 10^10 of itself, about 3e-15. The product u 10^-10 in double
// precision is within 2^-52 of itself of the quotient, so it lies on the
// same side of every halfway point, and rounding it to float gives the
// nearest float.
float nearest_float(std::uint64_t units) { return static_cast<float>(static_cast<double>(units) * 1e-10); }

// Eight ASCII digits, the first in the lowest byte: whether they are all
// digits, and their number (two digits a lane, then four, then eight).
static_assert(std::endian::native == std::endian::little, "the data file's digits are read as little-endian words");

bool eight_digits(std::uint64_t text) {
    return ((text & 0xF0F0F0F0F0F0F0F0u) | (((text + 0x0606060606060606u) & 0xF0F0F0F0F0F0F0F0u) >> 4)) ==
           0x3333333333333333u;
}
std::uint32_t eight_digits_value(std::uint64_t text) {
    std::uint64_t v = text - 0x3030303030303030u;
    v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FFu;
    v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFFu;
    return static_cast<std::uint32_t>(v * 10000 + (v >> 32));
}

// The value of one record, or false when it is not a data line.
bool read_record(const char* r, float& value) {
    if (r[11] != '\r' || r[12] != '\n') return false;
    if (r[0] == '.') {
        std::uint64_t text;
        std::memcpy(&text, r + 1, sizeof text);
        const auto ninth = static_cast<unsigned>(static_cast<unsigned char>(r[9])) - '0';
        const auto tenth = static_cast<unsigned>(static_cast<unsigned char>(r[10])) - '0';
        if (!eight_digits(text) || ninth > 9 || tenth > 9) return false;
        const std::uint64_t units = std::uint64_t{eight_digits_value(text)} * 100 + ninth * 10 + tenth;
        value = units == 0 ? 0.0f : nearest_float(units);
        return true;
    }
    if (std::memcmp(r, "***********", 11) == 0) {
        value = 1.0f;
        return true;
    }
    return false;
}

class File {
public:
    explicit File(int fd) : fd_(fd) {}
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() {
        if (fd_ >= 0) ::close(fd_);
    }
    int fd() const { return fd_; }

private:
    int fd_;
};

// Reads as many bytes as there are, up to `size`; -1 on an error (errno).
ssize_t read_full(int fd, char* out, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, out + got, size - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(got);
}

[[noreturn]] void os_error(const py::object& path) {
    PyErr_SetFromErrnoWithFilenameObject(PyExc_OSError, path.ptr());
    throw py::error_already_set();
}

py::array_t<float> read_data_file(const py::object& path_arg) {
    const py::object path = py::module_::import("os").attr("fspath")(path_arg);
    const std::string name = py::isinstance<py::bytes>(path) ? path.cast<std::string>()
                                                                : py::module_::import("os").attr("fsencode")(path).cast<std::string>();
    const File file(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.fd() < 0) os_error(path);
    struct stat info {};
    if (::fstat(file.fd(), &info) != 0) os_error(path);
    if (S_ISDIR(info.st_mode)) {
        errno = EISDIR;
        os_error(path);
    }
    const std::size_t capacity = info.st_size > 0 ? static_cast<std::size_t>(info.st_size) / kRecord : 0;
    py::array_t<float> out(static_cast<py::ssize_t>(capacity));
    float* data = out.mutable_data();

    // One pass over the bytes in blocks of whole records.
    std::size_t count = 0;     // records read
    bool bad = false;          // the record after them is not a data line
    int read_error = 0;
    {
        py::gil_scoped_release release;
        std::vector<char> block(kRecord * 65536);
        for (;;) {
            const ssize_t got = read_full(file.fd(), block.data(), block.size());
            if (got < 0) {
                read_error = errno;
                break;
            }
            const auto bytes = static_cast<std::size_t>(got);
            const std::size_t records = bytes / kRecord;
            for (std::size_t i = 0; i < records; ++i) {
                if (count == capacity || !read_record(block.data() + i * kRecord, data[count])) {
                    bad = true;
                    break;
                }
                ++count;
            }
            if (bad) break;
            if (bytes % kRecord != 0) {
                bad = true;  // a last line cut short
                break;
            }
            if (bytes < block.size()) break;
        }
    }
    if (read_error != 0) {
        errno = read_error;
        os_error(path);
    }
    if (bad) {
        // The line: from the record's first byte to its line feed, or 80 bytes.
        char line[80];
        const ssize_t got = ::pread(file.fd(), line, sizeof line, static_cast<off_t>(count * kRecord));
        std::size_t length = got > 0 ? static_cast<std::size_t>(got) : 0;
        const void* feed = std::memchr(line, '\n', length);
        if (feed != nullptr) length = static_cast<std::size_t>(static_cast<const char*>(feed) - line) + 1;
        const std::string shown = py::repr(py::bytes(line, length));
        throw py::value_error(std::string(py::str(path)) + ": line " + std::to_string(count + 1) +
                              " is not a data line (\".\" and 10 digits, or 11 \"*\", then CR LF): " + shown +
                              (feed == nullptr && length == sizeof line ? "..." : ""));
    }
    if (count < capacity) return out[py::slice(0, static_cast<py::ssize_t>(count), 1)].cast<py::array_t<float>>();
    return out;
}

}  // namespace

PYBIND11_MODULE(tamboril, m) {
    m.doc() = R"doc(The generators of the tamboril catalogue, bit for bit, for numpy.

    Generator(name, seed=None)    values as float32 arrays, one call at a time or cut
                                  into calls as tamboril-stream cuts them
    BitGenerator(name, seed=None) a bit generator for numpy.random.Generator
    read_data_file(path)          the values of a data file (ARCHURN01, ...)
    generator_names()             the generators that produce values)doc";
    m.attr("__version__") = TAMBORIL_VERSION;
    m.attr("DEFAULT_SEQUENCE") = kDefaultSequence;

    m.def("generator_names", &tamboril::generator_names,
          "The names of the generators that produce values, in catalogue order.");

    py::class_<PyGenerator> generator_class(m, "Generator", R"doc(A generator of the catalogue.

Generator(name) starts where a run of the program starts; Generator(name,
seed) starts with `seed` in place of the run's own value of the state
variable that tamboril-stream --list names, within its range. A name that is
not a generator producing values, or a seed out of range, raises ValueError.
Copies (copy.copy, copy.deepcopy) are independent. Values are made without
the GIL; one object serves one thread at a time.)doc");
    generator_class
        .def(py::init([](const std::string& name, const py::object& seed) {
                 return std::make_unique<PyGenerator>(make(name, seed));
             }),
             py::arg("name"), py::arg("seed") = py::none())
        .def("sequence", &sequence, py::arg("n"), R"doc(One call of the generator with N = n.

Returns a new float32 array of n values, written by the generator straight
into the array's memory. n is at most 2147483647.)doc")
        .def("values", &values, py::arg("count"), py::arg("sequence") = kDefaultSequence,
             R"doc(The next `count` values as a new float32 array.

They are made in calls of `sequence` values and a last shorter call, as
tamboril-stream --count count --sequence sequence cuts them. Only URN30 and
URN34 give other values for another cut.)doc")
        .def("discard", &discard, py::arg("n"), py::arg("sequence") = kDefaultSequence,
             "Passes over n values: the state that values(n, sequence) would leave.")
        .def_property(
            "state", [](PyGenerator& self) { return without_gil(self.mutex, [&] { return self.generator->save(); }); },
            [](PyGenerator& self, const std::string& text) {
                without_gil(self.mutex, [&] { self.generator->restore(text); });
            },
            "The saved state: one line of text, the name and the state variables; setting it to a "
            "saved state of the same generator goes on from there (ValueError for any other text).")
        .def_property_readonly("name", [](const PyGenerator& self) { return self.generator->name(); },
                               "The generator's name, such as 'URN01'.")
        .def_property_readonly("bits", [](const PyGenerator& self) { return self.generator->bits(); },
                               "B: the leading bits of each value's word floor(s 2^32) that are uniform.")
        .def_property_readonly("cut_dependent", [](const PyGenerator& self) { return self.generator->cut_dependent(); },
                               "Whether the values depend on how the stream is cut into calls (URN30, URN34).")
        // Pickled as the name and the saved state.
        .def("__reduce__",
             [](py::object self) {
                 auto& generator = self.cast<PyGenerator&>();
                 return py::make_tuple(py::type::of(self), py::make_tuple(generator.generator->name()),
                                       without_gil(generator.mutex, [&] { return generator.generator->save(); }));
             })
        .def("__copy__", &copy_of)
        .def("__deepcopy__", [](PyGenerator& self, py::handle) { return copy_of(self); }, py::arg("memo"))
        .def("__repr__", [](const PyGenerator& self) { return "tamboril.Generator('" + self.generator->name() + "')"; });

    py::class_<PyBitGenerator> bit_generator_class(m, "BitGenerator", R"doc(A bit generator for numpy.random.Generator.

numpy.random.Generator(tamboril.BitGenerator("URN03")) draws every numpy
distribution from URN03. The stream is the values of the generator in calls
of 10 000 (as the C++ engines make them), each value s giving the word
w = floor(s 2^B) of its B = bits leading bits (2^B - 1 for s = 1.0):
  next_raw     w (random_raw)
  next_double  w / 2^B, in [0, 1)
  next_uint32  the next 32 bits of the words written one after another,
               most significant bit first (tamboril-stream --format u32
               --bits B); next_double and next_raw pass over the bits of a
               word that next_uint32 has left
  next_uint64  two next_uint32, the first in the high half
A numpy distribution's values depend on which of these it calls.)doc");
    bit_generator_class
        .def(py::init<const std::string&, const py::object&>(), py::arg("name"), py::arg("seed") = py::none())
        .def_readonly("capsule", &PyBitGenerator::capsule, "The bitgen_t, a capsule named 'BitGenerator'.")
        .def_readonly("lock", &PyBitGenerator::lock, "The threading.Lock held while the stream is used.")
        .def_property("state", &bit_state, &set_bit_state,
                      "The state as a dict: bit_generator (the name), state (generator: the saved state where "
                      "the call in progress began, given: its values used), carry_bits and carry (bits of a "
                      "word that next_uint32 has not used yet).")
        // Pickled as the name and the state, which numpy's Generator pickles too.
        .def("__reduce__",
             [](py::object self) {
                 auto& bit_generator = self.cast<PyBitGenerator&>();
                 return py::make_tuple(py::type::of(self), py::make_tuple(bit_generator.source->generator().name()),
                                       bit_state(bit_generator));
             })
        .def("random_raw", &random_raw, py::arg("size") = py::none(),
             "The engine's words w, one a value: an int, or a uint64 array of `size`.")
        .def_property_readonly("name", [](const PyBitGenerator& self) { return self.source->generator().name(); })
        .def_property_readonly("bits", [](const PyBitGenerator& self) { return self.source->generator().bits(); })
        .def("__repr__", [](const PyBitGenerator& self) {
            return "tamboril.BitGenerator('" + self.source->generator().name() + "')";
        });

    // Unpickling sets the state of an object made from the name. pybind11
    // takes a method bound under the name __setstate__ for a constructor, so
    // these are bound without a name and set as the attribute.
    generator_class.attr("__setstate__") = py::cpp_function(
        [](PyGenerator& self, const std::string& text) {
            without_gil(self.mutex, [&] { self.generator->restore(text); });
        },
        py::is_method(generator_class));
    bit_generator_class.attr("__setstate__") = py::cpp_function(&set_bit_state, py::is_method(bit_generator_class));

    m.def("read_data_file", &read_data_file, py::arg("path"), R"doc(The values of a data file, as float32.

Every line of the file, in order: ".dddddddddd" (the "(F11.10)" layout) or
"***********" (a value of 1.0, read as 1.0), then CR LF. A line that is
anything else raises ValueError naming its line number and showing its
bytes. The bytes are read in one pass, without the GIL.

A value read back is the float nearest to its printed decimal. Ten decimals
can be too few below 0.1: there, some printed values lie nearer another float
than the generator's own, so the file does not always give the generator's
floats back. tamboril.Generator(name).values(count, sequence) gives them
exactly.)doc");
}
