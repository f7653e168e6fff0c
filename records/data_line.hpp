// The data-file line: the 11 characters of "(F11.10)" for one value, by the
// general field writer. The fast renderer of samples falls back on it.
#pragma once

#include <cstddef>

namespace tamboril::records {

inline constexpr std::size_t kDataLineWidth = 11;
inline constexpr std::size_t kDataRecordBytes = kDataLineWidth + 2;  // with CR LF

// Writes the 11 characters of "(F11.10)" for a double-precision item through
// the general field writer (samples take render_sample_line).
void render_data_line(double value, char* out);

}  // namespace tamboril::records
