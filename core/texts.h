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
};

namespace texts {
// Menu.
inline constexpr TText MENU_START{N_("SPIEL STARTEN"), TText::MENU};
inline constexpr TText MENU_MAP{N_("KARTE WAEHLEN"), TText::MENU};
inline constexpr TText MENU_README{N_("LIESMICH.TXT"), TText::MENU};
inline constexpr TText MENU_QUIT{N_("ENDE"), TText::MENU};
// The readme the menu entry opens, inside the asset tree.
inline constexpr TText README_FILE{N_("data/liesmich.txt"), TText::NOT_DRAWN};
// %s: the chosen file's name.
inline constexpr TText MAP_UNREADABLE{N_("Karte nicht lesbar: %s"), TText::WITH_FILE};
inline constexpr TText MAP_TOO_BIG{N_("Karte zu gross: %s"), TText::WITH_FILE};
inline constexpr TText WINDOW_TITLE{N_("Palmut - 8-bit-Adventure"), TText::NOT_DRAWN};

// The in-game map chooser and reader.
inline constexpr TText CHOOSER_TITLE{N_("Select .map File:"), TText::CHOOSER};
inline constexpr TText NO_MAPS{N_("Keine Karten gefunden."), TText::CHOOSER};
// The chooser's entry that lets the player pick an island's files of their own.
inline constexpr TText OWN_MAP{N_("VON DISK LADEN"), TText::CHOOSER};
// %s: the file's path, the page, the number of pages.
inline constexpr TText READER_PAGE{N_("%s  -  Seite %s von %s"), TText::READER};
inline constexpr TText READER_KEYS{N_("Pfeiltasten oder Leertaste blaettern, Escape zurueck"),
                                   TText::READER};
inline constexpr TText FILE_UNREADABLE{N_("Die Datei %s ist nicht lesbar."), TText::READER};

// Play.
inline constexpr TText TAKEN{N_("Habe %s genommen!"), TText::WITH_ITEM};
inline constexpr TText CANNOT_TAKE{N_("Ich kann das nicht nehmen!"), TText::MESSAGE};
inline constexpr TText DROP_HINT{N_("Waehle ein Objekt mit Enter aus um es abzulegen"),
                                 TText::MESSAGE};
inline constexpr TText COCONUT_FALLS{N_("Hey, da kommt ne Kokosnuss runter!"), TText::MESSAGE};
inline constexpr TText NOTHING_FALLS{N_("Das war wohl leider nix."), TText::MESSAGE};
inline constexpr TText RUSTLE{N_("*RASCHEL*"), TText::MESSAGE};
inline constexpr TText IRON_MELTS{N_("Es schmilzt! Das gibt einen guten Rohling."), TText::MESSAGE};
inline constexpr TText ROAST_DONE{N_("Mjam! Eines Brutzo wuerdig!"), TText::MESSAGE};
inline constexpr TText ROAST_BURNT{N_("Oh no! Den hat es zu Asche geroestet."), TText::MESSAGE};
inline constexpr TText COMBINE_HINT{N_("Waehle zwei Objekte mit Enter aus, um zu kombinieren."),
                                    TText::MESSAGE};
inline constexpr TText USE_HINT{N_("Enter um ein Objekt zu benutzen"), TText::MESSAGE};
// %s: the item name.
inline constexpr TText CHOSEN{N_("Ausgewaehlt: %s"), TText::WITH_ITEM};
// Splitting stone, by how it went.
inline constexpr TText SPLIT_OUCH{N_("Oweh! Das war zu dolle!"), TText::MESSAGE};
inline constexpr TText SPLIT_FLINT{N_("Da fliegen ja voll die Funken!"), TText::MESSAGE};
inline constexpr TText SPLIT_SLATE{N_("Hm... Sehr scharfe Kanten hat dieses Gestein."),
                                   TText::MESSAGE};
inline constexpr TText SPLIT_ORE{N_("Dieses Glitzern... ich denke das ist Eisenerz."),
                                 TText::MESSAGE};
inline constexpr TText SPLIT_STONE{N_("Stein bleibt Stein, auch wenn man ihn verdrischt."),
                                   TText::MESSAGE};
// Hunting.
inline constexpr TText NEED_BLADE{N_("Warte nur, ich besorg mir eine Klinge!"), TText::MESSAGE};
inline constexpr TText APE_ESCAPES{N_("Diese Viecher sind verdammt flink!"), TText::MESSAGE};
inline constexpr TText APE_CAUGHT{N_("Ha! Lecker Affenbraten wird's geben."), TText::MESSAGE};
inline constexpr TText NICE_FUR{N_("Das ist mal ein schoenes Fell."), TText::MESSAGE};
inline constexpr TText BITTEN{N_("AAAARGH!"), TText::MESSAGE};
// Leaving on the raft.
inline constexpr TText CAST_OFF{N_("YEHAAAAAAA!!!!"), TText::MESSAGE};
inline constexpr TText NEED_SAIL{N_("Mir fehlt noch ein brauchbares Segel."), TText::MESSAGE};
inline constexpr TText NEED_WATER{N_("Oha, ich muss irgendwie Wasser auf die Reise mitnehmen."),
                                  TText::MESSAGE};
inline constexpr TText NEED_FOOD{N_("Ohne eine ganze Ladung Nahrungsmittel werde ich verhungern."),
                                 TText::MESSAGE};

// Death screens.
inline constexpr TText DEAD_HUNGER{N_("Du verlierst Dein Leben als Folge deiner Unterernaehrung."),
                                   TText::CENTRED};
inline constexpr TText DEAD_THIRST{N_("Vollig ausgemergelt faellst Du zu Boden. Du bist tot."),
                                   TText::CENTRED};
inline constexpr TText DEAD_WARAN{
    N_("Der Waran reisst Dich in Stuecke. Schreiend blutest Du Dein Leben in den Sand."),
    TText::CENTRED};
inline constexpr TText DEAD_RETRY{N_("Enter um es erneut zu versuchen."), TText::CENTRED};
inline constexpr TText DEAD_QUIT{N_("Escape beendet das Spiel."), TText::CENTRED};
inline constexpr TText DEAD_LUCK{N_("Mehr Glueck beim naechsten Schiffbruch!"), TText::CENTRED};

// Victory screen.
inline constexpr TText VICTORY{N_("ERFOLG!"), TText::HEADLINE};
inline constexpr TText VICTORY_1{N_("Du setzt die Segel, nachdem Du"), TText::CENTRED};
inline constexpr TText VICTORY_2{N_("die Vorraete auf dem Floss verstaut hast."), TText::CENTRED};
inline constexpr TText VICTORY_3{N_("Ein letztes mal blickst Du zurueck -"), TText::CENTRED};
inline constexpr TText VICTORY_4{N_("Deine Reise zurueck ins Leben hat nun begonnen."),
                                 TText::CENTRED};
} // namespace texts

// Every entry above, for the tests that check all texts of every language.
const std::vector<const TText*>& AllTexts();

// The text in the chosen language.
const char* Tr(const TText& text);
// The same with each "%s" filled in turn from args; missing args leave "".
std::string Tr(const TText& text, const std::vector<std::string>& args);
