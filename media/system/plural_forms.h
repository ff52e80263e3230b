// The plural rule a catalog's header names ("Plural-Forms: nplurals=3;
// plural=(n==1 ? 0 : ...);"), read and evaluated by our own small parser: the
// header comes from a file, so a long, deep or dividing-by-zero expression is
// refused or answered with form 0, never a crash or a hang.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace media_internal {

class PluralRule {
  public:
    // The rule of the source language and English: one form for 1, another for the rest.
    PluralRule();
    // Reads the Plural-Forms line of a catalog header; false (and the rule
    // above kept) when there is none or it is malformed.
    bool ParseHeader(std::string_view header);
    // Which form to use for `n`: always below Count().
    int Index(unsigned long n) const;
    int Count() const { return count_; }

    struct Node {
        char op = 0; // 'n', '#' (number), '!', '?', or an operator's first letter ("=" for ==)
        int a = -1, b = -1, c = -1;
        unsigned long value = 0;
    };

  private:
    int count_ = 2;
    std::vector<Node> nodes_; // empty: n != 1
    int root_ = -1;
};

} // namespace media_internal
