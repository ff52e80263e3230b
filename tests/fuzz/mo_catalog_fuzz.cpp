// The page's reader of GNU message catalogs: a damaged .mo file is refused
// whole, and what it accepts comes from inside the file.
#include <string>
#include <unordered_map>

#include "fuzz_support.h"
#include "media/system/web/mo_catalog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::unordered_map<std::string, std::string> texts;
    const bool ok = media_internal::ParseMoCatalog(data, size, texts);
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
