// Format templates: compiled once into descriptors, rendered against items.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tamboril::records {

// One item of a write statement.
class Item {
public:
    enum class Kind { Integer, Single, Double, Text };

    Item(std::int32_t value) : kind_(Kind::Integer), integer_(value) {}
    Item(float value) : kind_(Kind::Single), real_(value) {}
    Item(double value) : kind_(Kind::Double), real_(value) {}
    Item(std::string_view text) : kind_(Kind::Text), text_(text) {}
    Item(const char* text) : kind_(Kind::Text), text_(text) {}

    Kind kind() const { return kind_; }
    std::int32_t integer() const { return integer_; }
    double real() const { return real_; }
    std::string_view text() const { return text_; }

private:
    Kind kind_;
    std::int32_t integer_ = 0;
    double real_ = 0.0;
    std::string_view text_;
};

// A compiled template. Compiling a malformed template throws std::logic_error:
// every template is a constant of the program, so that is a programming error.
class Template {
public:
    explicit Template(std::string_view text);

    // Renders the items and hands each finished record to `emit`, in order.
    // An item that does not suit its descriptor throws std::logic_error.
    void render(std::span<const Item> items,
                const std::function<void(std::string_view)>& emit) const;

    // Convenience: the records as strings.
    std::vector<std::string> records(std::span<const Item> items) const;
    std::vector<std::string> records(std::initializer_list<Item> items) const {
        return records(std::span<const Item>(items.begin(), items.size()));
    }

    struct Node {
        enum class Type { Literal, Blanks, Slash, Integer, Fixed, Exponent, General, Hex, Chars, Group };
        Type type = Type::Literal;
        int repeat = 1;
        int width = 0;
        int decimals = 0;
        std::string text;
        std::vector<Node> children;
    };

private:
    std::vector<Node> nodes_;
    bool has_data_ = false;
};

}  // namespace tamboril::records
