#include "core/texts.h"

#include "media/language.h"

const std::vector<const TText*>& AllTexts() {
    static const std::vector<const TText*> all = {
        &texts::MENU_START,    &texts::MENU_MAP,      &texts::MENU_README,
        &texts::MENU_QUIT,     &texts::README_FILE,   &texts::MAP_UNREADABLE,
        &texts::WINDOW_TITLE,  &texts::CHOOSER_TITLE, &texts::NO_MAPS,
        &texts::READER_PAGE,   &texts::READER_KEYS,   &texts::FILE_UNREADABLE,
        &texts::TAKEN,         &texts::CANNOT_TAKE,   &texts::DROP_HINT,
        &texts::COCONUT_FALLS, &texts::NOTHING_FALLS, &texts::RUSTLE,
        &texts::IRON_MELTS,    &texts::ROAST_DONE,    &texts::ROAST_BURNT,
        &texts::COMBINE_HINT,  &texts::USE_HINT,      &texts::CHOSEN,
        &texts::SPLIT_OUCH,    &texts::SPLIT_FLINT,   &texts::SPLIT_SLATE,
        &texts::SPLIT_ORE,     &texts::SPLIT_STONE,   &texts::NEED_BLADE,
        &texts::APE_ESCAPES,   &texts::APE_CAUGHT,    &texts::NICE_FUR,
        &texts::BITTEN,        &texts::CAST_OFF,      &texts::NEED_SAIL,
        &texts::NEED_WATER,    &texts::NEED_FOOD,     &texts::DEAD_HUNGER,
        &texts::DEAD_THIRST,   &texts::DEAD_WARAN,    &texts::DEAD_RETRY,
        &texts::DEAD_QUIT,     &texts::DEAD_LUCK,     &texts::VICTORY,
        &texts::VICTORY_1,     &texts::VICTORY_2,     &texts::VICTORY_3,
        &texts::VICTORY_4,
    };
    return all;
}

const char* Tr(const TText& text) {
    return Translate(text.german);
}

std::string Tr(const TText& text, const std::vector<std::string>& args) {
    const std::string pattern = Tr(text);
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 2, "%s") == 0) {
            if (next < args.size()) out += args[next];
            ++next;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}
