#include "media/system/plural_forms.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace media_internal {
namespace {

constexpr std::size_t kMaxExpression = 512;
constexpr int kMaxDepth = 64;
constexpr int kMaxForms = 16;

using Node = PluralRule::Node;

// Recursive descent in C's precedence; each rule returns a node index or -1.
class Parser {
  public:
    Parser(std::string_view text, std::vector<Node>& nodes) : text_(text), nodes_(nodes) {}

    // The root's index, or -1 when the text is not one whole expression.
    int Whole() {
        const int root = Ternary(0);
        Skip();
        return at_ == text_.size() ? root : -1;
    }

  private:
    std::string_view text_;
    std::vector<Node>& nodes_;
    std::size_t at_ = 0;

    void Skip() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])))
            ++at_;
    }
    bool Take(std::string_view token) {
        Skip();
        if (text_.substr(at_, token.size()) != token) return false;
        at_ += token.size();
        return true;
    }
    int Add(char op, int a, int b = -1, int c = -1) {
        if (a < 0 || (op != '!' && op != 'n' && op != '#' && b < 0) || (op == '?' && c < 0))
            return -1;
        nodes_.push_back({op, a, b, c, 0});
        return static_cast<int>(nodes_.size()) - 1;
    }

    int Ternary(int depth) {
        if (depth > kMaxDepth) return -1;
        const int cond = Binary(0, depth + 1);
        if (cond < 0 || !Take("?")) return cond;
        const int yes = Ternary(depth + 1);
        if (yes < 0 || !Take(":")) return -1;
        return Add('?', cond, yes, Ternary(depth + 1));
    }

    // Levels from loosest to tightest; two-letter operators before their prefixes.
    int Binary(int level, int depth) {
        static const std::vector<std::vector<std::pair<const char*, char>>> kLevels = {
            {{"||", '|'}},
            {{"&&", '&'}},
            {{"==", '='}, {"!=", 'x'}},
            {{"<=", 'l'}, {">=", 'g'}, {"<", '<'}, {">", '>'}},
            {{"+", '+'}, {"-", '-'}},
            {{"*", '*'}, {"/", '/'}, {"%", '%'}},
        };
        if (level == static_cast<int>(kLevels.size())) return Unary(depth);
        int left = Binary(level + 1, depth);
        while (left >= 0) {
            char op = 0;
            for (const auto& [token, code] : kLevels[level])
                if (!op && Take(token)) op = code;
            if (!op) break;
            left = Add(op, left, Binary(level + 1, depth));
        }
        return left;
    }

    int Unary(int depth) {
        if (depth > kMaxDepth) return -1;
        if (Take("!")) return Add('!', Unary(depth + 1));
        if (Take("(")) {
            const int inner = Ternary(depth + 1);
            return Take(")") ? inner : -1;
        }
        if (Take("n")) return Add('n', 0);
        Skip();
        if (at_ >= text_.size() || !std::isdigit(static_cast<unsigned char>(text_[at_]))) return -1;
        unsigned long value = 0;
        while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) {
            if (value > 1000000000UL) return -1;
            value = value * 10 + static_cast<unsigned long>(text_[at_++] - '0');
        }
        const int node = Add('#', 0);
        nodes_[static_cast<std::size_t>(node)].value = value;
        return node;
    }
};

// False on a division by zero.
bool Evaluate(const std::vector<Node>& nodes, int index, unsigned long n, unsigned long& out) {
    const Node& node = nodes[static_cast<std::size_t>(index)];
    unsigned long a = 0, b = 0;
    if (node.op == 'n') return out = n, true;
    if (node.op == '#') return out = node.value, true;
    if (!Evaluate(nodes, node.a, n, a)) return false;
    if (node.op == '!') return out = !a, true;
    if (node.op == '?') return Evaluate(nodes, a ? node.b : node.c, n, out);
    // Short-circuit as C does: "n != 0 && 10 / n" never divides by zero.
    if (node.op == '|' && a) return out = 1, true;
    if (node.op == '&' && !a) return out = 0, true;
    if (!Evaluate(nodes, node.b, n, b)) return false;
    switch (node.op) {
    case '|':
    case '&':
        out = b != 0;
        return true;
    case '=':
        out = a == b;
        return true;
    case 'x':
        out = a != b;
        return true;
    case 'l':
        out = a <= b;
        return true;
    case 'g':
        out = a >= b;
        return true;
    case '<':
        out = a < b;
        return true;
    case '>':
        out = a > b;
        return true;
    case '+':
        out = a + b;
        return true;
    case '-':
        out = a - b;
        return true;
    case '*':
        out = a * b;
        return true;
    case '/':
        if (!b) return false;
        out = a / b;
        return true;
    case '%':
        if (!b) return false;
        out = a % b;
        return true;
    default:
        return false;
    }
}

} // namespace

PluralRule::PluralRule() = default;

bool PluralRule::ParseHeader(std::string_view header) {
    const std::size_t line = header.find("Plural-Forms:");
    if (line == std::string_view::npos) return false;
    std::string_view rest = header.substr(line);
    rest = rest.substr(0, rest.find('\n'));
    const std::size_t countAt = rest.find("nplurals="),
                      ruleAt =
                          rest.find("plural=", countAt == std::string_view::npos ? 0 : countAt + 9);
    if (countAt == std::string_view::npos || ruleAt == std::string_view::npos) return false;
    // Capped while read: a header is untrusted and its digits may not end.
    int count = 0;
    for (std::size_t i = countAt + 9;
         i < rest.size() && std::isdigit(static_cast<unsigned char>(rest[i])); ++i)
        count = std::min(count * 10 + (rest[i] - '0'), kMaxForms + 1);
    std::string_view expression = rest.substr(ruleAt + 7);
    expression = expression.substr(0, expression.find(';'));
    if (count < 1 || count > kMaxForms || expression.size() > kMaxExpression) return false;
    std::vector<Node> nodes;
    const int root = Parser(expression, nodes).Whole();
    if (root < 0) return false;
    count_ = count;
    nodes_ = std::move(nodes);
    root_ = root;
    return true;
}

int PluralRule::Index(unsigned long n) const {
    unsigned long index = n != 1;
    if (!nodes_.empty() && !Evaluate(nodes_, root_, n, index)) index = 0;
    return index < static_cast<unsigned long>(count_) ? static_cast<int>(index) : 0;
}

} // namespace media_internal
