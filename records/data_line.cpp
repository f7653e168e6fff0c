#include "records/data_line.hpp"

#include <cstring>
#include <string>

#include "records/fields.hpp"

namespace tamboril::records {

void render_data_line(double value, char* out) {
    std::string text;
    put_fixed(text, static_cast<int>(kDataLineWidth), 10, value, kDoubleDigits);
    std::memcpy(out, text.data(), kDataLineWidth);
}

}  // namespace tamboril::records
