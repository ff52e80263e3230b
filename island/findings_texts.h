// What the map checker tells a map maker, in the game's catalogs: German is the
// source text, as everywhere in the game. Numbers and names fill the "%s" in
// order (Tr(text, args)); the report's ERROR/warning/result keywords stay fixed
// for the scripts that read them.
#pragma once

#include "core/texts.h"

namespace findings {
// Recipes: what the raft needs within reach.
inline constexpr TText kNoSand{
    N_("kein Sand in Reichweite: das Floss laesst sich nur auf Sand bauen"), TText::TOOL};
// %s: palms and planks within reach, planks the raft needs.
inline constexpr TText kFewPlanks{
    N_("Palmen und Planken in Reichweite: nur %s, das Floss braucht %s Planken"), TText::TOOL};
inline constexpr TText kNoHammer{
    N_("kein Hammer in Reichweite und weder Stein noch Treibholz, um einen zu bauen"), TText::TOOL};
inline constexpr TText kTooFewStones{
    N_("zu wenige Steine in Reichweite, um Feuerstein, Schiefer und Eisenerz abzuspalten"),
    TText::TOOL};
inline constexpr TText kFewStones{N_("wenige Steine: Feuerstein, Schiefer oder Erz muessen aus "
                                     "Steinen kommen, die der Waran auf Fels liegen laesst"),
                                  TText::TOOL};
inline constexpr TText kFewDriftwood{
    N_("nicht genug Treibholz in Reichweite fuer die Feuerstelle und die Axt"), TText::TOOL};
inline constexpr TText kNoBag{
    N_("kein Lederbeutel: er braucht zwei Affenfelle, und es gibt nicht genug Affen"), TText::TOOL};
inline constexpr TText kFewFerns{N_("nicht genug Farne in Reichweite fuer ein Segel (%s Farne)"),
                                 TText::TOOL};
inline constexpr TText kNoFood{N_("keine Nahrung in Reichweite"), TText::TOOL};
inline constexpr TText kNoDrink{N_("kein Flachwasser in Reichweite: nichts zu trinken"),
                                TText::TOOL};
// Supplies. %s: the worst cost, the castaway's limit.
inline constexpr TText kFarWater{N_("manche Stellen sind %s Durst vom naechsten Flachwasser "
                                    "entfernt (Grenze %s): Tuempel anlegen"),
                                 TText::TOOL};
inline constexpr TText kFarFood{N_("manche Stellen sind %s Hunger vom naechsten Obst entfernt "
                                   "(Grenze %s): Palmen oder Straeucher setzen"),
                                TText::TOOL};
// Size. %s: width, height, the view's width and height.
inline constexpr TText kTooSmall{N_("die Karte ist %s x %s gross, die Ansicht braucht mindestens "
                                    "%s x %s"),
                                 TText::TOOL};
// %s: the regrowth area's side, twice.
inline constexpr TText kSmallerThanRegrowth{
    N_("die Karte ist kleiner als %s x %s: nachwachsendes Obst und Tiere decken nur einen Teil "
       "davon ab"),
    TText::TOOL};
// %s: the byte, its cell, the highest item number.
inline constexpr TText kBadLayerByte{N_("Ebenenbyte %s bei (%s, %s) ist kein Objekt (1-%s)"),
                                     TText::TOOL};
// The same, then how many such bytes the layer file holds in all.
inline constexpr TText kBadLayerBytes{
    N_("Ebenenbyte %s bei (%s, %s) ist kein Objekt (1-%s); solche Bytes in allem: %s"),
    TText::TOOL};
// %s: how many, the first one's cell. Counts follow a colon, so one reads as
// well as many in every language.
inline constexpr TText kItemsOnSea{N_("Objekte auf dem Meer: %s (das erste bei (%s, %s))"),
                                   TText::TOOL};
inline constexpr TText kUnreachable{N_("vom Start aus unerreichbare Landzellen: %s (die erste bei "
                                       "(%s, %s); dort koennen Tiere erscheinen)"),
                                    TText::TOOL};
// %s: the item's name.
inline constexpr TText kStartOnPlant{N_("auf der Startzelle steht: %s"), TText::TOOL};
inline constexpr TText kStartInWater{N_("der Schiffbruechige beginnt im Wasser"), TText::TOOL};
// %s: the diagonal's last cell, twice.
inline constexpr TText kNoStart{
    N_("kein Land auf der Diagonale (0,0)-(%s,%s): der Schiffbruechige startet auf ihrer "
       "ersten Landzelle, hier gibt es keine"),
    TText::TOOL};
// Fairness. %s: how many there are, how many are recommended.
inline constexpr TText kOnlyPalms{N_("Palmen: nur %s (%s empfohlen)"), TText::TOOL};
inline constexpr TText kOnlyBushes{N_("Beerenstraeucher: nur %s (%s empfohlen)"), TText::TOOL};
inline constexpr TText kOnlyStones{N_("Steine: nur %s (%s empfohlen)"), TText::TOOL};
inline constexpr TText kOnlyDriftwood{N_("Treibholz: nur %s (%s empfohlen)"), TText::TOOL};
inline constexpr TText kOnlyFerns{N_("Farne: nur %s (%s empfohlen)"), TText::TOOL};
inline constexpr TText kOnlyApes{N_("Affen: nur %s (%s empfohlen)"), TText::TOOL};
inline constexpr TText kOnlyLizards{N_("Warane: nur %s (%s empfohlen)"), TText::TOOL};
// %s: furs expected, the share of games with a bag and the share wanted (with "%").
// The last %s: what helps, the pieces below joined by kFurOr.
inline constexpr TText kFewFurs{N_("zu wenige Felle zu erwarten: %s, der Lederbeutel gelingt nur "
                                   "in %s der Spiele (%s gewuenscht): %s"),
                                TText::TOOL};
// Said first when no sensible number of apes outlasts the lizards.
inline constexpr TText kLizardsEatApes{N_("die Warane fressen die Affen, bevor genug Felle fallen, "
                                          "mehr Affen allein helfen nicht; "),
                                       TText::TOOL};
inline constexpr TText kFurOr{N_(" oder "), TText::TOOL};
inline constexpr TText kFurAnd{N_(" und "), TText::TOOL};
// %s: how many apes are needed.
inline constexpr TText kAtLeastApes{NN_("mindestens %s Affe", "mindestens %s Affen"), TText::TOOL};
// %s: how many lizards at most.
inline constexpr TText kAtMostLizards{NN_("hoechstens %s Waran", "hoechstens %s Warane"),
                                      TText::TOOL};
inline constexpr TText kNoLizards{N_("keine Warane"), TText::TOOL};
inline constexpr TText kLayOneFur{N_("ein Fell dazulegen"), TText::TOOL};
inline constexpr TText kLayTwoFurs{N_("zwei Felle dazulegen"), TText::TOOL};
inline constexpr TText kNoShallow{N_("kein Flachwasser in Reichweite"), TText::TOOL};
inline constexpr TText kNoSandAtAll{N_("kein Sand in Reichweite"), TText::TOOL};
inline constexpr TText kNoRock{N_("kein Fels in Reichweite"), TText::TOOL};
inline constexpr TText kNoGrass{N_("kein Gras in Reichweite"), TText::TOOL};

// The map's files. %s: how many pixels, then where the first one is.
inline constexpr TText kForeignColours{
    NN_("%s Pixel hat eine Farbe ausserhalb der Bodentabelle und wird Meer",
        "%s Pixel haben eine Farbe ausserhalb der Bodentabelle und werden Meer"),
    TText::TOOL};
// %s: the cell, the colour in hexadecimal.
inline constexpr TText kFirstForeign{N_(" (das erste bei (%s, %s): 0x%s)"), TText::TOOL};
// %s: the path.
inline constexpr TText kImageMissing{N_("das Kartenbild %s fehlt"), TText::TOOL};
inline constexpr TText kImageUnreadable{N_("das Kartenbild %s ist kein lesbares PNG"), TText::TOOL};
// %s: width, height.
inline constexpr TText kImageSize{N_("die Bildgroesse %s x %s liegt ausserhalb des Erlaubten"),
                                  TText::TOOL};
// %s: the layer file's path (and the byte counts).
inline constexpr TText kNoLayerFile{N_("Ebenendatei %s nicht gefunden (das Spiel bricht ab)"),
                                    TText::TOOL};
inline constexpr TText kShortLayerFile{N_("Ebenendatei %s enthaelt %s Bytes, die Karte braucht %s "
                                          "(das Spiel bricht mit einem Lesefehler ab)"),
                                       TText::TOOL};
inline constexpr TText kLongLayerFile{
    N_("Ebenendatei %s ist laenger als die Karte; der Rest wird nicht gelesen"), TText::TOOL};
// %s: the critter file's path.
inline constexpr TText kNoCritterFile{N_("Tierdatei %s nicht gefunden"), TText::TOOL};
// %s: the line of the critter file (1 for apes, 2 for monitor lizards).
inline constexpr TText kNoApeNumber{N_("Zeile %s der Tierdatei enthaelt keine Zahl: keine Affen"),
                                    TText::TOOL};
inline constexpr TText kNoLizardNumber{
    N_("Zeile %s der Tierdatei enthaelt keine Zahl: keine Warane"), TText::TOOL};
// %s: how many the critter file asks for, the most the checker and the editor weigh.
inline constexpr TText kTooManyApes{
    N_("die Tierdatei verlangt %s Affen: viel zu viele, geprueft wird mit %s"), TText::TOOL};
inline constexpr TText kTooManyLizards{
    N_("die Tierdatei verlangt %s Warane: viel zu viele, geprueft wird mit %s"), TText::TOOL};
// %s: apes and lizards together, the land cells.
inline constexpr TText kMoreCrittersThanLand{
    N_("%s Tiere auf %s Landzellen: mehr Tiere als Land, die Insel ist ueberfuellt"), TText::TOOL};
// %s: the lizards, the land cells, the most lizards that land leaves room for.
inline constexpr TText kLizardsBite{
    N_("%s Warane auf %s Landzellen: der Schiffbruechige wird gebissen, bevor das Floss fertig "
       "ist (hoechstens %s Warane)"),
    TText::TOOL};

// The report's summary lines, each below the map's headline.
// %s: the image's path, width, height.
inline constexpr TText kReportMap{N_("Karte %s: %s x %s"), TText::TOOL};
// %s: the start cell's column and row.
inline constexpr TText kReportStart{N_("Startzelle: (%s, %s)"), TText::TOOL};
// %s: reachable cells, land cells.
inline constexpr TText kReportReachable{N_("erreichbare Zellen: %s von %s Landzellen"),
                                        TText::TOOL};
// %s: reachable cells of shallow water, sand, rock and grass.
inline constexpr TText kReportGround{
    N_("erreichbarer Boden: Flachwasser %s, Sand %s, Fels %s, Gras %s"), TText::TOOL};
// %s: the worst thirst and hunger on the way.
inline constexpr TText kReportWays{
    N_("schlechtester Weg zum Wasser: %s Durst; zum Obst: %s Hunger"), TText::TOOL};
// %s: reachable palms, berry bushes, stones, driftwood, ferns, flint, slate,
// iron ore, coconuts, berries.
inline constexpr TText kReportItems{
    N_("erreichbare Objekte: Palmen %s, Beerenstraeucher %s, Steine %s, Treibholz %s, Farne %s, "
       "Feuerstein %s, Schiefer %s, Eisenerz %s, Kokosnuesse %s, Beeren %s"),
    TText::TOOL};
// %s: apes, monitor lizards.
inline constexpr TText kReportCritters{N_("Tiere: Affen %s, Warane %s"), TText::TOOL};
// %s: furs expected, the share of games with a bag (with "%").
inline constexpr TText kReportFurs{
    N_("Felle: %s erwartet, genug fuer den Lederbeutel in %s der Spiele"), TText::TOOL};
// %s: the preview picture's path; the reason it failed.
inline constexpr TText kPreviewWritten{N_("Vorschau geschrieben nach %s"), TText::TOOL};
inline constexpr TText kPreviewFailed{N_("Vorschau misslungen: %s"), TText::TOOL};
} // namespace findings
