// The reader of GNU message catalogs: a damaged .mo file is refused whole,
// what it accepts comes from inside the file, and the plural rule its header
// names always picks one of its forms.
#include <string>
#include <unordered_map>

#include "fuzz_support.h"
#include "media/system/mo_catalog.h"
#include "media/system/plural_forms.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::unordered_map<std::string, std::string> texts;
    std::string header;
    const bool ok = media_internal::ParseMoCatalog(data, size, texts, &header);
    // The header alone, and the whole input as a header: the rule parser
    // sees every byte sequence, not only those inside a valid catalog.
    for (const std::string& text :
         {header, std::string(reinterpret_cast<const char*>(data), size)}) {
        media_internal::PluralRule rule;
        rule.ParseHeader(text);
        for (unsigned long n : {0UL, 1UL, 2UL, 5UL, 22UL, 111UL, ~0UL})
            fuzz::Check(rule.Index(n) >= 0 && rule.Index(n) < rule.Count(), "a form of the rule");
    }
    if (!ok) {
        fuzz::Check(texts.empty(), "refused catalog left empty");
        return 0;
    }
    std::size_t bytes = 0;
    for (const auto& [original, translation] : texts) {
        fuzz::Check(!original.empty(), "no header entry");
        bytes += original.size() + translation.size();
    }
    // The strings of a catalog lie side by side in it: together they are
    // never more than the file, however the tables point into it.
    fuzz::Check(bytes <= size, "strings fit the file");
    return 0;
}
