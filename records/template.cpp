#include "records/template.hpp"

#include <algorithm>
#include <stdexcept>

#include "records/fields.hpp"

namespace tamboril::records {

namespace {

using Node = Template::Node;
using Type = Node::Type;

// Largest repeat count, width or digit count accepted in a template.
constexpr int kMaxNumber = 9999;
// Largest number of characters one walk through a template may produce.
constexpr long long kMaxExpansion = 1 << 20;

// Characters one walk through the nodes produces at most.
long long expansion(const std::vector<Node>& nodes) {
    long long total = 0;
    for (const Node& node : nodes) {
        long long one = node.type == Type::Group     ? expansion(node.children)
                        : node.type == Type::Literal ? static_cast<long long>(node.text.size())
                                                     : node.width + 1;
        one = std::min(one, kMaxExpansion + 1);
        total = std::min(total + one * node.repeat, kMaxExpansion + 1);
    }
    return total;
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::vector<Node> parse(bool& has_data) {
        skip_blanks();
        expect('(');
        auto nodes = list(has_data);
        expect(')');
        skip_blanks();
        if (pos_ != text_.size()) fail("text after the closing parenthesis");
        return nodes;
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw std::logic_error("malformed template \"" + std::string(text_) + "\": " + what +
                               " at position " + std::to_string(pos_));
    }
    bool at_end() const { return pos_ >= text_.size(); }
    char peek() const { return at_end() ? '\0' : text_[pos_]; }
    void skip_blanks() {
        while (!at_end() && text_[pos_] == ' ') ++pos_;
    }
    void expect(char c) {
        skip_blanks();
        if (peek() != c) fail(std::string("expected '") + c + "'");
        ++pos_;
    }
    bool digit() const { return peek() >= '0' && peek() <= '9'; }
    int number() {
        if (!digit()) fail("expected a number");
        int value = 0;
        while (digit()) {
            value = value * 10 + (text_[pos_++] - '0');
            if (value > kMaxNumber) fail("number too large");
        }
        return value;
    }

    std::vector<Node> list(bool& has_data) {
        std::vector<Node> nodes;
        skip_blanks();
        if (peek() == ')') fail("empty list");
        for (;;) {
            nodes.push_back(item(has_data));
            skip_blanks();
            if (peek() == ',') {
                ++pos_;
                continue;
            }
            if (peek() == ')') break;
            // A slash needs no comma beside it.
            if (peek() == '/' || nodes.back().type == Type::Slash) continue;
            fail("expected ',' or ')'");
        }
        return nodes;
    }

    Node item(bool& has_data) {
        skip_blanks();
        Node node;
        if (peek() == '\'') {
            ++pos_;
            node.type = Type::Literal;
            for (;;) {
                if (at_end()) fail("unterminated literal");
                const char c = text_[pos_++];
                if (c == '\'') {
                    if (peek() == '\'') {
                        node.text += '\'';
                        ++pos_;
                        continue;
                    }
                    break;
                }
                node.text += c;
            }
            return node;
        }
        if (peek() == '/') {
            ++pos_;
            node.type = Type::Slash;
            return node;
        }
        bool counted = false;
        if (digit()) {
            node.repeat = number();
            counted = true;
            if (node.repeat == 0) fail("zero repeat count");
        }
        skip_blanks();
        const char c = peek();
        if (c == '(') {
            ++pos_;
            node.type = Type::Group;
            node.children = list(has_data);
            expect(')');
            return node;
        }
        if (c == 'X' || c == 'x') {
            if (!counted) fail("X needs a count");
            ++pos_;
            node.type = Type::Blanks;
            node.width = node.repeat;
            node.repeat = 1;
            return node;
        }
        ++pos_;
        switch (c) {
            case 'I': case 'i': node.type = Type::Integer; break;
            case 'Z': case 'z': node.type = Type::Hex; break;
            case 'A': case 'a': node.type = Type::Chars; break;
            case 'F': case 'f': node.type = Type::Fixed; break;
            case 'D': case 'd': node.type = Type::Exponent; node.text = "D"; break;
            case 'E': case 'e': node.type = Type::Exponent; node.text = "E"; break;
            case 'G': case 'g': node.type = Type::General; break;
            default: --pos_; fail("unknown descriptor");
        }
        node.width = number();
        if (node.width == 0) fail("zero width");
        const bool real = node.type == Type::Fixed || node.type == Type::Exponent ||
                          node.type == Type::General;
        if (real) {
            if (peek() != '.') fail("expected '.'");
            ++pos_;
            node.decimals = number();
            if (node.decimals >= node.width) fail("no room for the digits");
        }
        has_data = true;
        return node;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

class Walker {
public:
    Walker(std::span<const Item> items, const std::function<void(std::string_view)>& emit)
        : items_(items), emit_(emit) {}

    // Walks the nodes; false once a data descriptor finds no item left.
    bool walk(const std::vector<Node>& nodes) {
        for (const Node& node : nodes) {
            for (int r = 0; r < node.repeat; ++r) {
                if (!act(node)) return false;
            }
        }
        return true;
    }

    bool items_left() const { return next_ < items_.size(); }

    void end_record() {
        if (record_.empty()) record_.assign(1, ' ');
        emit_(record_);
        record_.clear();
        pending_ = 0;
    }

private:
    // Blanks from nX are written only when a character follows them.
    void flush_blanks() {
        record_.append(pending_, ' ');
        pending_ = 0;
    }

    const Item& take(Item::Kind a, Item::Kind b) {
        const Item& item = items_[next_++];
        if (item.kind() != a && item.kind() != b) {
            throw std::logic_error("template item of the wrong kind");
        }
        return item;
    }

    bool act(const Node& node) {
        switch (node.type) {
            case Type::Literal:
                flush_blanks();
                record_ += node.text;
                return true;
            case Type::Blanks:
                pending_ += static_cast<std::size_t>(node.width);
                return true;
            case Type::Slash:
                end_record();
                return true;
            case Type::Group:
                return walk(node.children);
            default:
                break;
        }
        if (!items_left()) return false;
        flush_blanks();
        const int w = node.width;
        const int d = node.decimals;
        switch (node.type) {
            case Type::Integer:
                put_integer(record_, w, take(Item::Kind::Integer, Item::Kind::Integer).integer());
                break;
            case Type::Hex:
                put_hex(record_, w, take(Item::Kind::Integer, Item::Kind::Integer).integer());
                break;
            case Type::Chars:
                put_chars(record_, w, take(Item::Kind::Text, Item::Kind::Text).text());
                break;
            default: {
                const Item& item = take(Item::Kind::Single, Item::Kind::Double);
                const int limit = item.kind() == Item::Kind::Single ? kSingleDigits : kDoubleDigits;
                if (node.type == Type::Fixed) {
                    put_fixed(record_, w, d, item.real(), limit);
                } else if (node.type == Type::Exponent) {
                    put_exponent(record_, w, d, item.real(), limit, node.text[0]);
                } else {
                    put_general(record_, w, d, item.real(), limit);
                }
            }
        }
        return true;
    }

    std::span<const Item> items_;
    const std::function<void(std::string_view)>& emit_;
    std::size_t next_ = 0;
    std::string record_;
    std::size_t pending_ = 0;
};

}  // namespace

Template::Template(std::string_view text) {
    nodes_ = Parser(text).parse(has_data_);
    if (expansion(nodes_) > kMaxExpansion) {
        throw std::logic_error("template \"" + std::string(text) + "\" expands too far");
    }
}

void Template::render(std::span<const Item> items,
                      const std::function<void(std::string_view)>& emit) const {
    Walker walker(items, emit);
    // Items left at the closing parenthesis start a new record and the
    // template over again.
    while (walker.walk(nodes_) && walker.items_left()) {
        if (!has_data_) throw std::logic_error("template has no descriptor for its items");
        walker.end_record();
    }
    walker.end_record();
}

std::vector<std::string> Template::records(std::span<const Item> items) const {
    std::vector<std::string> out;
    render(items, [&out](std::string_view record) { out.emplace_back(record); });
    return out;
}

}  // namespace tamboril::records
