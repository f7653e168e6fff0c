// The data file's records sixteen at a time, in 256-bit vectors (AVX2, chosen
// when the processor has it). Every line is the one render_sample_line writes:
// the vectors make the same scaled value with the same two roundings, and each
// value that path treats apart (outside [0, 1), or near the half way mark) is
// written again by render_sample_line itself.
#include "records/fast_fixed.hpp"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TAMBORIL_VECTOR_RECORDS 1
#include <immintrin.h>
#endif

namespace tamboril::records {

namespace fast_fixed {

#ifdef TAMBORIL_VECTOR_RECORDS

namespace {

constexpr std::size_t kGroup = 16;

// The ASCII words of two digits of sixteen values of 0 to 99 in 16-bit
// lanes: the tens in the low byte. tens = p * 6554 >> 16 for p < 100 (6554 /
// 2^16 exceeds 1/10 by less than 1/10^5, so the error stays under 1/1000), and
// tens + 256 * (p - 10 * tens) = 256 * p - 2559 * tens.
__attribute__((target("avx2"))) inline __m256i digit_pairs(__m256i p) {
    const __m256i tens = _mm256_mulhi_epu16(p, _mm256_set1_epi16(6554));
    const __m256i word = _mm256_sub_epi16(_mm256_slli_epi16(p, 8),
                                          _mm256_mullo_epi16(tens, _mm256_set1_epi16(2559)));
    return _mm256_add_epi16(word, _mm256_set1_epi16(0x3030));
}

// x / 100 for x < 10000 in 16-bit lanes: x * 5243 >> 19 (exact below 43699).
__attribute__((target("avx2"))) inline __m256i hundreds(__m256i x) {
    return _mm256_srli_epi16(_mm256_mulhi_epu16(x, _mm256_set1_epi16(5243)), 3);
}

// The lanes of eight floats outside [0, 1): the sign bit set, or the bits
// above those of 1 - 2^-24.
__attribute__((target("avx2"))) inline unsigned outside(__m256i bits) {
    const __m256i above = _mm256_cmpgt_epi32(bits, _mm256_set1_epi32(0x3F7FFFFF));
    return static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(_mm256_or_si256(above, bits))));
}

// Four 32-bit lanes and four more: a in the low half.
__attribute__((target("avx2"))) inline __m256i eight(__m128i a, __m128i b) { return _mm256_set_m128i(b, a); }

// A record's row: from the byte before it.
inline void store_row(char* out, std::size_t record, __m128i row) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + record * kDataRecordBytes - 1), row);
}

// The low 32 bits of the eight doubles' bits, a's in the low half.
__attribute__((target("avx2"))) inline __m256i low_halves(__m256d a, __m256d b) {
    const __m256 both = _mm256_shuffle_ps(_mm256_castpd_ps(a), _mm256_castpd_ps(b), _MM_SHUFFLE(2, 0, 2, 0));
    return _mm256_permute4x64_epi64(_mm256_castps_si256(both), _MM_SHUFFLE(3, 1, 2, 0));
}

// The records of in[0, 16) at out, each stored as 16 bytes from one byte
// before it: the line feed before the record (written again), its 13 bytes,
// and two bytes of the next record, which that record's store writes after.
// Returns the lanes whose lines render_sample_line must write (bit i for
// in[i]); their bytes here are of no use, except the CR LF.
__attribute__((target("avx2"))) unsigned render_group(const float* in, char* out) {
    unsigned apart = outside(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(in))) |
                     outside(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + 8))) << 8;

    // Per four values, as render_sample_line: the exact product and sum, and
    // its floor u (the truncation there, the value being positive), a whole
    // number below 10^10 (the largest float below 1 gives 9 999 999 404).
    // Then u / 10^8 = k + j / 10^8 with whole k and j < 10^8: u times the
    // double nearest 10^-8, rounded, is within 100 * 2^-52 of it, and so is
    // the sum with 5 * 10^-9 within some 3 * 10^-14 of k + (j + 1/2) / 10^8:
    // truncated, k. By the same argument (the error under 10^6 * 2^-52, the
    // margin 5 * 10^-5) the second truncation is h = u / 10^4 below 10^6. The
    // low 32 bits of u are those of u + 2^52 (exact). The rest is in 32-bit
    // lanes: h - 10^4 k (0 to 9999) and, wrapping, u - 10^4 h (0 to 9999).
    __m128i top[4], tens_of_thousands[4];
    __m256d low_words[4];
    for (int q = 0; q < 4; ++q) {
        const __m256d value = _mm256_cvtps_pd(_mm_loadu_ps(in + 4 * q));
        const __m256d lifted = _mm256_add_pd(_mm256_mul_pd(value, _mm256_set1_pd(1e10)), _mm256_set1_pd(0.5));
        const __m256d units = _mm256_round_pd(lifted, _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC);
        const __m256d near = _mm256_cmp_pd(_mm256_sub_pd(lifted, units), _mm256_set1_pd(1.0 - 0x1p-24), _CMP_GE_OQ);
        apart |= static_cast<unsigned>(_mm256_movemask_pd(near)) << (4 * q);
        top[q] = _mm256_cvttpd_epi32(_mm256_add_pd(_mm256_mul_pd(units, _mm256_set1_pd(1e-8)), _mm256_set1_pd(5e-9)));
        tens_of_thousands[q] =
            _mm256_cvttpd_epi32(_mm256_add_pd(_mm256_mul_pd(units, _mm256_set1_pd(1e-4)), _mm256_set1_pd(5e-5)));
        low_words[q] = _mm256_add_pd(units, _mm256_set1_pd(0x1p52));
    }
    // Eight values in 32-bit lanes, 0 to 3 in the low half, 4 to 7 in the high.
    const __m256i k0 = eight(top[0], top[1]), k1 = eight(top[2], top[3]);
    const __m256i h0 = eight(tens_of_thousands[0], tens_of_thousands[1]);
    const __m256i h1 = eight(tens_of_thousands[2], tens_of_thousands[3]);
    const __m256i u0 = low_halves(low_words[0], low_words[1]), u1 = low_halves(low_words[2], low_words[3]);
    const __m256i ten_thousand = _mm256_set1_epi32(10000);
    // 16-bit lanes: values 0 to 3 and 8 to 11 in the low half, 4 to 7 and 12
    // to 15 in the high half.
    const __m256i t = _mm256_packs_epi32(k0, k1);
    const __m256i m = _mm256_packs_epi32(_mm256_sub_epi32(h0, _mm256_mullo_epi32(k0, ten_thousand)),
                                         _mm256_sub_epi32(h1, _mm256_mullo_epi32(k1, ten_thousand)));
    const __m256i l = _mm256_packs_epi32(_mm256_sub_epi32(u0, _mm256_mullo_epi32(h0, ten_thousand)),
                                         _mm256_sub_epi32(u1, _mm256_mullo_epi32(h1, ten_thousand)));
    const __m256i m_high = hundreds(m), l_high = hundreds(l);
    const __m256i m_low = _mm256_sub_epi16(m, _mm256_mullo_epi16(m_high, _mm256_set1_epi16(100)));
    const __m256i l_low = _mm256_sub_epi16(l, _mm256_mullo_epi16(l_high, _mm256_set1_epi16(100)));

    // The words of each stored row: (LF, '.'), five pairs of digits, (CR, LF)
    // and two bytes of no use; one vector per word, one lane per value. Then
    // the 8 x 8 transpose of 16-bit words in each half: rows[j] holds the row
    // of the j-th lane of each half.
    const __m256i w0 = _mm256_set1_epi16(0x2E0A);
    const __m256i w1 = digit_pairs(t), w2 = digit_pairs(m_high), w3 = digit_pairs(m_low);
    const __m256i w4 = digit_pairs(l_high), w5 = digit_pairs(l_low);
    const __m256i w67 = _mm256_set1_epi32(0x0A0D);  // words 6 and 7 interleaved
    const __m256i a = _mm256_unpacklo_epi16(w0, w1), b = _mm256_unpackhi_epi16(w0, w1);
    const __m256i c = _mm256_unpacklo_epi16(w2, w3), d = _mm256_unpackhi_epi16(w2, w3);
    const __m256i e = _mm256_unpacklo_epi16(w4, w5), f = _mm256_unpackhi_epi16(w4, w5);
    const __m256i ac0 = _mm256_unpacklo_epi32(a, c), ac1 = _mm256_unpackhi_epi32(a, c);
    const __m256i bd0 = _mm256_unpacklo_epi32(b, d), bd1 = _mm256_unpackhi_epi32(b, d);
    const __m256i eg0 = _mm256_unpacklo_epi32(e, w67), eg1 = _mm256_unpackhi_epi32(e, w67);
    const __m256i fh0 = _mm256_unpacklo_epi32(f, w67), fh1 = _mm256_unpackhi_epi32(f, w67);
    const __m256i rows[8] = {
        _mm256_unpacklo_epi64(ac0, eg0), _mm256_unpackhi_epi64(ac0, eg0),
        _mm256_unpacklo_epi64(ac1, eg1), _mm256_unpackhi_epi64(ac1, eg1),
        _mm256_unpacklo_epi64(bd0, fh0), _mm256_unpackhi_epi64(bd0, fh0),
        _mm256_unpacklo_epi64(bd1, fh1), _mm256_unpackhi_epi64(bd1, fh1),
    };
    // Row j of the low half is value j (j < 4) or j + 4, of the high half
    // j + 4 or j + 8. In the order of the records, each store after the one
    // it overlaps.
    for (std::size_t j = 0; j < 4; ++j) store_row(out, j, _mm256_castsi256_si128(rows[j]));
    for (std::size_t j = 0; j < 4; ++j) store_row(out, j + 4, _mm256_extracti128_si256(rows[j], 1));
    for (std::size_t j = 4; j < 8; ++j) store_row(out, j + 4, _mm256_castsi256_si128(rows[j]));
    for (std::size_t j = 4; j < 8; ++j) store_row(out, j + 8, _mm256_extracti128_si256(rows[j], 1));
    return apart;
}

}  // namespace

bool vector_records_available() {
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}

// The stores of a group reach one byte before its first record and two after
// its last, so the first record and the last one to sixteen are written one
// line at a time: nothing outside [out, end) is touched, and two threads may
// write neighbouring spans of one buffer.
__attribute__((target("avx2"))) char* render_sample_records_vector(std::span<const float> samples, char* out) {
    const std::size_t count = samples.size();
    if (count <= kGroup + 1) return render_sample_records_plain(samples, out);
    const float* in = samples.data();
    render_sample_records_plain(samples.first(1), out);
    std::size_t i = 1;
    for (; count - i > kGroup; i += kGroup) {
        char* const at = out + i * kDataRecordBytes;
        for (unsigned apart = render_group(in + i, at); apart != 0; apart &= apart - 1) {
            const auto lane = static_cast<std::size_t>(__builtin_ctz(apart));
            render_sample_line(in[i + lane], at + lane * kDataRecordBytes);
        }
    }
    return render_sample_records_plain(samples.subspan(i), out + i * kDataRecordBytes);
}

#else

bool vector_records_available() { return false; }

char* render_sample_records_vector(std::span<const float> samples, char* out) {
    return render_sample_records_plain(samples, out);
}

#endif

}  // namespace fast_fixed

char* render_sample_records(std::span<const float> samples, char* out) {
    if (fast_fixed::vector_records_available()) return fast_fixed::render_sample_records_vector(samples, out);
    return render_sample_records_plain(samples, out);
}

}  // namespace tamboril::records
