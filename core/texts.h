// Every text the player reads, in one place. Each entry holds the German text
// (the source language, also its key in the message catalogs) and the place
// the game draws it, so a test can check every language fits there. Item names
// stay in the item catalogue (world/objekt.cpp), marked the same way.
// po/palmut.pot is extracted from the texts marked N_ (tools/check_translations.sh).
#pragma once

#include <string>
#include <vector>

// Marks a text for the catalog template; the text itself, untranslated.
// NOLINTNEXTLINE(readability-identifier-naming): the marker xgettext knows
constexpr const char* N_(const char* text) {
    return text;
}

// Marks a text with a count for the catalog template (ngettext): its German
// singular and plural.
struct TPlural {
    const char* one;
    const char* many;
};
// NOLINTNEXTLINE(readability-identifier-naming): the marker xgettext knows
constexpr TPlural NN_(const char* one, const char* many) {
    return {one, many};
}

struct TText {
    // Places: font and room a text gets on screen.
    static constexpr int MESSAGE = 0;   // built-in font, top-left, whole width
    static constexpr int CENTRED = 1;   // built-in font, centred on the screen
    static constexpr int MENU = 2;      // adventure font, centred
    static constexpr int HEADLINE = 3;  // adventure font, centred
    static constexpr int CHOOSER = 4;   // adventure font from x = 40
    static constexpr int READER = 5;    // built-in font from x = 8
    static constexpr int NOT_DRAWN = 6; // window title, file names
    static constexpr int WITH_ITEM = 7; // built-in font, with an item name
    static constexpr int WITH_FILE = 8; // built-in font, centred, with a file name
    static constexpr int TOOL = 9;      // the island editor's panel, the map checker's report

    const char* german;
    int place;
    const char* germanPlural = nullptr; // a text with a count (NN_): its German plural

    constexpr TText(const char* text, int where) : german(text), place(where) {}
    constexpr TText(TPlural forms, int where)
        : german(forms.one), place(where), germanPlural(forms.many) {}
};

// The list of texts, written once: each X(NAME, text, place) below becomes the
// constant texts::NAME and a row of AllTexts(), so no text escapes the tests
// that walk them all. xgettext reads the N_ marks inside the list as well.
#define PALMUT_TEXTS(X)                                                                            \
    /* Menu. */                                                                                    \
    X(MENU_START, N_("SPIEL STARTEN"), MENU)                                                       \
    X(MENU_MAP, N_("KARTE WAEHLEN"), MENU)                                                         \
    X(MENU_README, N_("LIESMICH.TXT"), MENU)                                                       \
    X(MENU_QUIT, N_("ENDE"), MENU)                                                                 \
    /* The readme the menu entry opens, inside the asset tree. */                                  \
    X(README_FILE, N_("data/liesmich.txt"), NOT_DRAWN)                                             \
    /* %s: the chosen file's name. */                                                              \
    X(MAP_UNREADABLE, N_("Karte nicht lesbar: %s"), WITH_FILE)                                     \
    X(MAP_TOO_BIG, N_("Karte zu gross: %s"), WITH_FILE)                                            \
    X(WINDOW_TITLE, N_("Palmut - 8-bit-Adventure"), NOT_DRAWN)                                     \
    /* The decimal separator of numbers such as "99,1 %": "." in English. */                       \
    X(DECIMAL_SEPARATOR, N_(","), NOT_DRAWN)                                                       \
    /* The in-game map chooser and reader. */                                                      \
    X(CHOOSER_TITLE, N_("Select .map File:"), CHOOSER)                                             \
    X(NO_MAPS, N_("Keine Karten gefunden."), CHOOSER)                                              \
    /* The chooser's entry that lets the player pick an island's files of their own. */            \
    X(OWN_MAP, N_("VON DISK LADEN"), CHOOSER)                                                      \
    /* The chooser's entry that grows a new island from a fresh seed. */                           \
    X(NEW_ISLAND, N_("NEUE INSEL"), CHOOSER)                                                       \
    /* A generated island, for the player to share: %s the seed, the size (64x64). */              \
    X(ISLAND_SEED, N_("Insel %s (%s)"), MESSAGE)                                                   \
    /* The island of the day: %s the date (2026-12-08), the size. */                               \
    X(DAILY_ISLAND, N_("Insel vom %s (%s)"), MESSAGE)                                              \
    /* %s: the island's caption; the shipped island is played instead. */                          \
    X(ISLAND_NOT_GROWN, N_("Nicht gewachsen: %s"), WITH_FILE)                                      \
    /* %s: the file's path, the page, the number of pages. */                                      \
    X(READER_PAGE, N_("%s  -  Seite %s von %s"), READER)                                           \
    X(READER_KEYS, N_("Pfeiltasten oder Leertaste blaettern, Escape zurueck"), READER)             \
    X(FILE_UNREADABLE, N_("Die Datei %s ist nicht lesbar."), READER)                               \
    /* Play. */                                                                                    \
    X(TAKEN, N_("Habe %s genommen!"), WITH_ITEM)                                                   \
    X(CANNOT_TAKE, N_("Ich kann das nicht nehmen!"), MESSAGE)                                      \
    X(DROP_HINT, N_("Waehle ein Objekt mit Enter aus um es abzulegen"), MESSAGE)                   \
    X(COCONUT_FALLS, N_("Hey, da kommt ne Kokosnuss runter!"), MESSAGE)                            \
    X(NOTHING_FALLS, N_("Das war wohl leider nix."), MESSAGE)                                      \
    X(RUSTLE, N_("*RASCHEL*"), MESSAGE)                                                            \
    X(IRON_MELTS, N_("Es schmilzt! Das gibt einen guten Rohling."), MESSAGE)                       \
    X(ROAST_DONE, N_("Mjam! Eines Brutzo wuerdig!"), MESSAGE)                                      \
    X(ROAST_BURNT, N_("Oh no! Den hat es zu Asche geroestet."), MESSAGE)                           \
    X(COMBINE_HINT, N_("Waehle zwei Objekte mit Enter aus, um zu kombinieren."), MESSAGE)          \
    X(USE_HINT, N_("Enter um ein Objekt zu benutzen"), MESSAGE)                                    \
    /* %s: the item name. */                                                                       \
    X(CHOSEN, N_("Ausgewaehlt: %s"), WITH_ITEM)                                                    \
    /* Splitting stone, by how it went. */                                                         \
    X(SPLIT_OUCH, N_("Oweh! Das war zu dolle!"), MESSAGE)                                          \
    X(SPLIT_FLINT, N_("Da fliegen ja voll die Funken!"), MESSAGE)                                  \
    X(SPLIT_SLATE, N_("Hm... Sehr scharfe Kanten hat dieses Gestein."), MESSAGE)                   \
    X(SPLIT_ORE, N_("Dieses Glitzern... ich denke das ist Eisenerz."), MESSAGE)                    \
    X(SPLIT_STONE, N_("Stein bleibt Stein, auch wenn man ihn verdrischt."), MESSAGE)               \
    /* Hunting. */                                                                                 \
    X(NEED_BLADE, N_("Warte nur, ich besorg mir eine Klinge!"), MESSAGE)                           \
    X(APE_ESCAPES, N_("Diese Viecher sind verdammt flink!"), MESSAGE)                              \
    X(APE_CAUGHT, N_("Ha! Lecker Affenbraten wird's geben."), MESSAGE)                             \
    X(NICE_FUR, N_("Das ist mal ein schoenes Fell."), MESSAGE)                                     \
    X(BITTEN, N_("AAAARGH!"), MESSAGE)                                                             \
    /* Leaving on the raft. */                                                                     \
    X(CAST_OFF, N_("YEHAAAAAAA!!!!"), MESSAGE)                                                     \
    X(NEED_SAIL, N_("Mir fehlt noch ein brauchbares Segel."), MESSAGE)                             \
    X(NEED_WATER, N_("Oha, ich muss irgendwie Wasser auf die Reise mitnehmen."), MESSAGE)          \
    X(NEED_FOOD, N_("Ohne eine ganze Ladung Nahrungsmittel werde ich verhungern."), MESSAGE)       \
    /* Death screens. */                                                                           \
    X(DEAD_HUNGER, N_("Du verlierst Dein Leben als Folge deiner Unterernaehrung."), CENTRED)       \
    X(DEAD_THIRST, N_("Vollig ausgemergelt faellst Du zu Boden. Du bist tot."), CENTRED)           \
    X(DEAD_WARAN,                                                                                  \
      N_("Der Waran reisst Dich in Stuecke. Schreiend blutest Du Dein Leben in den Sand."),        \
      CENTRED)                                                                                     \
    X(DEAD_RETRY, N_("Enter um es erneut zu versuchen."), CENTRED)                                 \
    X(DEAD_QUIT, N_("Escape beendet das Spiel."), CENTRED)                                         \
    X(DEAD_LUCK, N_("Mehr Glueck beim naechsten Schiffbruch!"), CENTRED)                           \
    /* Victory screen. */                                                                          \
    X(VICTORY, N_("ERFOLG!"), HEADLINE)                                                            \
    X(VICTORY_1, N_("Du setzt die Segel, nachdem Du"), CENTRED)                                    \
    X(VICTORY_2, N_("die Vorraete auf dem Floss verstaut hast."), CENTRED)                         \
    X(VICTORY_3, N_("Ein letztes mal blickst Du zurueck -"), CENTRED)                              \
    X(VICTORY_4, N_("Deine Reise zurueck ins Leben hat nun begonnen."), CENTRED)

namespace texts {
#define PALMUT_TEXT_CONSTANT(name, german, place) inline constexpr TText name{german, TText::place};
PALMUT_TEXTS(PALMUT_TEXT_CONSTANT)
#undef PALMUT_TEXT_CONSTANT
} // namespace texts

// Every entry above, for the tests that check all texts of every language.
const std::vector<const TText*>& AllTexts();

// The text in the chosen language.
const char* Tr(const TText& text);
// The same with each "%s" filled in turn from args; missing args leave "".
std::string Tr(const TText& text, const std::vector<std::string>& args);
// `value` with `decimals` digits after the chosen language's decimal separator
// ("99,1" in German, "99.1" in English).
std::string Decimal(double value, int decimals);
// A text with a count: the chosen language's form for `count` (its own plural
// rule), the "%s" filled from args.
std::string Tr(const TText& text, unsigned long count, const std::vector<std::string>& args);
// A count of any integer type as Tr takes it; a negative one counts as many.
template <typename T> constexpr unsigned long Count(T n) {
    return n < 0 ? 2UL : static_cast<unsigned long>(n);
}
