#include "tests/support/common.hpp"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace tamboril::testing {

std::vector<std::uint32_t> bits(std::span<const float> values) {
    std::vector<std::uint32_t> patterns;
    patterns.reserve(values.size());
    for (const float value : values) patterns.push_back(bits(value));
    return patterns;
}

std::string as_literal(std::string_view text) {
    std::string shown = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\n': shown += "\\n"; break;
            case '\r': shown += "\\r"; break;
            case '\t': shown += "\\t"; break;
            case '"': shown += "\\\""; break;
            case '\\': shown += "\\\\"; break;
            default:
                if (byte < 0x20 || byte >= 0x7F) {
                    static const char kHex[] = "0123456789ABCDEF";
                    shown += "\\x";
                    shown += kHex[byte >> 4];
                    shown += kHex[byte & 15];
                } else {
                    shown += c;
                }
        }
    }
    return shown + "\"";
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tamboril-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    assign(pattern);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(*this, ignored);
}

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string crlf(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string i11(std::int32_t n) {
    const std::string digits = std::to_string(n);
    return std::string(11 - digits.size(), ' ') + digits;
}

std::string expected_data_line(double value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.16e", value);  // [-]d.dddddddddddddddde[+-]XX
    std::string text(buf);
    const bool negative = text[0] == '-';
    if (negative) text.erase(0, 1);
    const int exponent = std::atoi(text.c_str() + text.find('e') + 1);
    const std::string digits = text.substr(0, 1) + text.substr(2, 16);
    int places[32] = {};  // places[k] is the digit of 10^-(k+1)
    bool whole = false;
    for (int i = 0; i < 17; ++i) {
        const int power = exponent - i;
        const int digit = digits[static_cast<std::size_t>(i)] - '0';
        if (power >= 0) {
            whole = whole || digit != 0;
        } else if (-power - 1 < 32) {
            places[-power - 1] = digit;
        }
    }
    if (whole) return std::string(11, '*');
    if (places[10] >= 5) {
        int k = 9;
        while (k >= 0 && places[k] == 9) places[k--] = 0;
        if (k < 0) return std::string(11, '*');
        ++places[k];
    }
    std::string line = ".";
    bool zero = true;
    for (int k = 0; k < 10; ++k) {
        line += static_cast<char>('0' + places[k]);
        zero = zero && places[k] == 0;
    }
    // A negative value needs a minus sign, and the field has no room for it.
    if (negative && !zero) return std::string(11, '*');
    return line;
}

std::string expected_data_file(const std::vector<float>& samples) {
    std::string text;
    for (const float sample : samples) text += expected_data_line(static_cast<double>(sample)) + "\r\n";
    return text;
}

namespace {

std::string heading(std::string_view opening, std::int32_t n, std::string_view closing) {
    return "LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO" + std::string(opening) + i11(n) +
           "\r\nYA GENERADOS) ES" + std::string(closing);
}

}  // namespace

std::string parenthesised_heading(std::int32_t n) { return heading(" (SIGUIENTE A LOS", n, ":"); }
std::string colon_heading(std::int32_t n) { return heading(" SIGUIENTE A LOS", n, ":"); }
std::string plain_heading(std::int32_t n) { return heading(" SIGUIENTE A LOS", n, ""); }

const std::vector<std::string> kBanner = {
    "*****************************************************************************",
    "*  LAS SIGUIENTES SALIDAS HAN SIDO PRODUCIDAS POR EL SISTEMA: \" TAMBORIL \"  *",
    "*  EL PAQUETE ESTA CONSTITUIDO POR RUTINAS PARA LA GENERACION DE NUMEROS    *",
    "*  PSEUDOALEATORIOS EN MICROCOMPUTADORES                                    *  ",
    "*****************************************************************************",
};

std::string dialogue_opening(std::string_view name5) {
    std::string text = crlf({
        "Ingresar(mayusculas) el nombre, URN** ,del Generador deseado para obtener el   ",
        "archivo ARCHURN** de Numeros Pseudoaleatorios",
        name5,
    });
    for (const std::string& line : kBanner) text += line + "\r\n";
    return text;
}

std::string dialogue_head(std::string_view name5) {
    return dialogue_opening(name5) + crlf({
                                "",
                                "Ingrese la cantidad de Numeros Pseudoaleatorios que desea generar en cada      ",
                                "sucesion (<=10 mil)",
                            }) +
           "Entre la cantidad de sucesiones (<= 1 mil)";
}

std::string unknown_name_transcript(std::string_view name5) {
    return dialogue_opening(name5) + crlf({"ERROR DE TECLEO EN EL NOMBRE DE URN**,RECOMENZAR",
                                  "Stop - Program terminated.", ""});
}

std::string normal_tail(std::string_view name5) {
    const std::string file = "EL ARCHIVO:ARCH" + std::string(name5) +
                             "   CONTIENE EL TOTAL DE NUMEROS PSEUDOALEATORIOS GENERADOS";
    return "\r\n" + crlf({"", "", "LA EJECUCION HA FINALIZADO", "", file, "",
                          "Pause - Please enter a blank line (to continue) or a DOS command.",
                          ""});
}

std::string not_implemented_tail(std::string_view name5) {
    const std::string message =
        "EL GENERADOR:" + std::string(name5) + "    NO ESTA IMPLEMENTADO EN TAMBORIL2";
    return "\r\n" + crlf({message,
                          "Pause - Please enter a blank line (to continue) or a DOS command.",
                          "", "Stop - Program terminated.", ""});
}

std::string urn10_records(int count) {
    std::string text;
    std::uint32_t state = 1;
    for (int i = 0; i < count; ++i) {
        state = state * 125 % 8192;
        text += expected_data_line(state / 8192.0) + "\r\n";
    }
    return text;
}

std::string Urn20Stream::next_record() {
    float sample = 0;
    run_.sequence(std::span<float>(&sample, 1));
    return expected_data_line(static_cast<double>(sample)) + "\r\n";
}

std::string Urn20Stream::ix_line() const {
    const std::string digits = std::to_string(run_.generator().IX);
    return "IX=" + std::string(20 - digits.size(), ' ') + digits;
}

std::string urn20_records(std::size_t count) {
    Urn20Stream stream;
    std::string text;
    text.reserve(count * 13);
    for (std::size_t i = 0; i < count; ++i) text += stream.next_record();
    return text;
}

std::string urn20_one_value_transcript(std::size_t m) {
    Urn20Stream stream;
    std::string lines;
    for (std::size_t k = 0; k < m; ++k) {
        stream.next_record();
        const std::string line = stream.ix_line();
        lines += "\r\n" + line;
        if (k == 0) lines += "\r\n" + plain_heading(1) + "\r\n" + line;
    }
    return dialogue_head("URN20") + lines + normal_tail("URN20");
}

std::string error_line(std::string_view message) {
    return "tamboril: " + std::string(message) + "\n";
}

}  // namespace tamboril::testing
