// What the island editor says, in the game's catalogs: German is the source
// text, as everywhere in the game. Numbers, cells and names fill the "%s" in
// order (Tr(text, args)). The map checker's findings are in findings_texts.h.
#pragma once

#include "core/texts.h"

namespace editor_texts {
// Status line. %s: width and height; the reason; the path; the game's exit status.
inline constexpr TText kNewMap{N_("Neue Karte %s x %s, ganz Meer."), TText::TOOL};
inline constexpr TText kNotOpened{N_("Nicht geoeffnet: %s"), TText::TOOL};
inline constexpr TText kOpened{N_("Geoeffnet: %s"), TText::TOOL};
// A picture without its layer file. %s: the picture, apes, monitor lizards.
inline constexpr TText kOpenedPictureAlone{
    N_("Geoeffnet ohne Ebenen- und Tierdatei: %s; keine Objekte, %s Affen und %s Warane "
       "vorgegeben, Speichern legt die Dateien an"),
    TText::TOOL};
inline constexpr TText kOpenedWithoutLayer{
    N_("Geoeffnet ohne Ebenendatei: %s; keine Objekte, %s Affen und %s Warane aus der "
       "Tierdatei, Speichern legt die Ebenendatei an"),
    TText::TOOL};
inline constexpr TText kGameEnded{N_("Spiel beendet (Status %s)."), TText::TOOL};
// %s: the cell "(x, y)", the finding.
inline constexpr TText kCellProblem{N_("Zelle %s: %s"), TText::TOOL};
// %s: how many cells (the count last, so one cell reads as well as many).
inline constexpr TText kFilled{N_("Gefuellte Zellen: %s"), TText::TOOL};
inline constexpr TText kCancelled{N_("Abgebrochen."), TText::TOOL};
// The selection. %s: width and height, then a cell "(x, y)" where given.
inline constexpr TText kSelected{N_("Auswahl %s x %s ab %s: Strg+C/X/V, Esc"), TText::TOOL};
inline constexpr TText kCopied{N_("%s x %s Zellen kopiert."), TText::TOOL};
inline constexpr TText kCutOut{N_("%s x %s Zellen ausgeschnitten, Meer bleibt."), TText::TOOL};
inline constexpr TText kPasted{N_("%s x %s Zellen eingefuegt ab %s."), TText::TOOL};
inline constexpr TText kMoved{N_("Verschoben nach %s, Meer bleibt zurueck."), TText::TOOL};
inline constexpr TText kNoSelection{N_("Keine Auswahl: erst mit R eine aufziehen."), TText::TOOL};
inline constexpr TText kNothingToPaste{N_("Nichts einzufuegen: erst Strg+C oder Strg+X."),
                                       TText::TOOL};
// Undo and redo. %s: what the step did (a tool's name, the critters, or kAStep).
inline constexpr TText kUndone{N_("Rueckgaengig: %s"), TText::TOOL};
inline constexpr TText kRedone{N_("Wiederholt: %s"), TText::TOOL};
inline constexpr TText kNothingToUndo{N_("Nichts rueckgaengig zu machen."), TText::TOOL};
inline constexpr TText kNothingToRedo{N_("Nichts zu wiederholen."), TText::TOOL};
inline constexpr TText kCritterStep{N_("Tierzahl"), TText::TOOL};
inline constexpr TText kAStep{N_("ein Schritt"), TText::TOOL};

// Buttons, 90 pixels wide: eleven letters at most.
inline constexpr TText kButtonNew{N_("Neu"), TText::TOOL};
inline constexpr TText kButtonOpen{N_("Oeffnen"), TText::TOOL};
inline constexpr TText kButtonSave{N_("Speichern"), TText::TOOL};
inline constexpr TText kButtonSaveAs{N_("Sp. unter"), TText::TOOL};
inline constexpr TText kButtonUndo{N_("Zurueck"), TText::TOOL};
inline constexpr TText kButtonRedo{N_("Vorwaerts"), TText::TOOL};
inline constexpr TText kButtonZoom{N_("Zoom"), TText::TOOL};
inline constexpr TText kButtonTest{N_("Testen"), TText::TOOL};
inline constexpr TText kButtonBrush{N_("Pinsel"), TText::TOOL};
inline constexpr TText kButtonFill{N_("Fuellen"), TText::TOOL};
inline constexpr TText kButtonEraser{N_("Radierer"), TText::TOOL};
inline constexpr TText kButtonStart{N_("Start"), TText::TOOL};
inline constexpr TText kButtonMoreApes{N_("Affen+"), TText::TOOL};
inline constexpr TText kButtonFewerApes{N_("Affen-"), TText::TOOL};
inline constexpr TText kButtonMoreLizards{N_("Warane+"), TText::TOOL};
inline constexpr TText kButtonFewerLizards{N_("Warane-"), TText::TOOL};
inline constexpr TText kButtonSelect{N_("Auswahl"), TText::TOOL};
inline constexpr TText kButtonRect{N_("Rechteck"), TText::TOOL};
inline constexpr TText kButtonLine{N_("Linie"), TText::TOOL};
inline constexpr TText kButtonScatter{N_("Streuen"), TText::TOOL};

// The panel. Ground kinds in the game's order: sea, shallow water, sand, rock, grass.
inline constexpr TText kGroundNames[] = {{N_("Meer"), TText::TOOL},
                                         {N_("Flachwasser"), TText::TOOL},
                                         {N_("Sand"), TText::TOOL},
                                         {N_("Fels"), TText::TOOL},
                                         {N_("Gras"), TText::TOOL}};
// Tools in the editor's order: ground brush, fill, item, eraser, start mark,
// selection, rectangle, line, scatter brush.
inline constexpr TText kToolNames[] = {
    {N_("Bodenpinsel"), TText::TOOL}, {N_("Fuellen"), TText::TOOL},
    {N_("Objekt"), TText::TOOL},      {N_("Radierer"), TText::TOOL},
    {N_("Startmarke"), TText::TOOL},  {N_("Auswahl"), TText::TOOL},
    {N_("Rechteck"), TText::TOOL},    {N_("Linie"), TText::TOOL},
    {N_("Streuen"), TText::TOOL}};
// The hint line under the buttons: the chosen tool, or what the pointer is
// over. Two lines of 46 letters at most, broken between words. Same order as
// the tools.
inline constexpr TText kToolHints[] = {
    {N_("Bodenpinsel (G): Boden mit 1-5, Groesse mit B; rechts klicken nimmt auf"), TText::TOOL},
    {N_("Fuellen (F): ein Klick fuellt die Flaeche einer Bodenart mit dem Boden"), TText::TOOL},
    {N_("Objekt (I): Bild auf/ab waehlt, ein Klick setzt es; rechts klicken nimmt auf"),
     TText::TOOL},
    {N_("Radierer (E, Entf): nimmt Objekte weg, Groesse mit B"), TText::TOOL},
    {N_("Startmarke (M): wo der Schiffbruechige starten soll"), TText::TOOL},
    {N_("Auswahl (R): aufziehen; darin ziehen verschiebt; Strg+C/X/V; Esc hebt sie auf"),
     TText::TOOL},
    {N_("Rechteck (P): ziehen fuellt es mit dem zuletzt gewaehlten Boden oder Objekt"),
     TText::TOOL},
    {N_("Linie (L): ziehen legt den zuletzt gewaehlten Boden oder das Objekt"), TText::TOOL},
    {N_("Streuen (T): das Objekt auf etwa jede vierte freie Landzelle unter dem Pinsel (B)"),
     TText::TOOL}};
inline constexpr TText kHintNew{N_("Neue Karte (Strg+N)"), TText::TOOL};
inline constexpr TText kHintOpen{N_("Karte oeffnen (Strg+O)"), TText::TOOL};
inline constexpr TText kHintSave{N_("Speichern (Strg+S)"), TText::TOOL};
inline constexpr TText kHintSaveAs{N_("Speichern unter (Strg+Umschalt+S)"), TText::TOOL};
inline constexpr TText kHintUndo{N_("Rueckgaengig (Strg+Z)"), TText::TOOL};
inline constexpr TText kHintRedo{N_("Wiederholen (Strg+Y oder Strg+Umschalt+Z)"), TText::TOOL};
inline constexpr TText kHintZoom{N_("Zoom 1x, 2x, Uebersicht (Z, Strg+Mausrad)"), TText::TOOL};
inline constexpr TText kHintTest{N_("Probespiel auf der Karte, wie sie ist (F5)"), TText::TOOL};
inline constexpr TText kHintBrush{N_("Pinselgroesse 1, 3, 5 (B)"), TText::TOOL};
inline constexpr TText kHintMoreApes{N_("Ein Affe mehr (A)"), TText::TOOL};
inline constexpr TText kHintFewerApes{N_("Ein Affe weniger (Umschalt+A)"), TText::TOOL};
inline constexpr TText kHintMoreLizards{N_("Ein Waran mehr (W)"), TText::TOOL};
inline constexpr TText kHintFewerLizards{N_("Ein Waran weniger (Umschalt+W)"), TText::TOOL};
// %s: the ground kind, its key.
inline constexpr TText kHintGround{N_("Boden %s (Taste %s)"), TText::TOOL};
// %s: the item's name.
inline constexpr TText kHintItem{N_("%s (Bild auf/ab); legen mit I, P, L oder T"), TText::TOOL};
inline constexpr TText kNewMapName{N_("(neue Karte)"), TText::TOOL};
// %s: width, height, the cursor's cell.
inline constexpr TText kSizeAndCell{N_("Groesse %s x %s   Zelle %s"), TText::TOOL};
// %s: the ground kind, the item's name or "-".
inline constexpr TText kGroundAndItem{N_("Boden: %s  Objekt: %s"), TText::TOOL};
// %s: the tool's name; then its ground or item and the brush size.
inline constexpr TText kToolLine{N_("Werkzeug: %s"), TText::TOOL};
inline constexpr TText kBrushSize{N_("Pinsel %s"), TText::TOOL};
inline constexpr TText kOverview{N_("Uebersicht"), TText::TOOL};
// %s: "1x", "2x" or the overview.
inline constexpr TText kZoomLine{N_("Zoom %s   F1 Hilfe"), TText::TOOL};
// %s: the item's number and name.
inline constexpr TText kItemLine{N_("Objekt %s: %s"), TText::TOOL};
// %s: apes, monitor lizards; then one of the two hints on the zones.
inline constexpr TText kCritters{N_("Affen: %s   Warane: %s"), TText::TOOL};
inline constexpr TText kZonesShown{N_("(rot: nie ein Tier)"), TText::TOOL};
inline constexpr TText kZonesKey{N_("K: Sperrzonen"), TText::TOOL};
// %s: the start cell or "none", the mark or "-".
inline constexpr TText kStartAndMark{N_("Start: %s   Markierung: %s"), TText::TOOL};
inline constexpr TText kNoStartCell{N_("keiner"), TText::TOOL};
// %s: how far the live check is.
inline constexpr TText kCheckLine{N_("Pruefung: %s"), TText::TOOL};
inline constexpr TText kCheckRunning{N_("laeuft ..."), TText::TOOL};
inline constexpr TText kCheckFresh{N_("aktuell"), TText::TOOL};
inline constexpr TText kCheckRenewing{N_("wird erneuert"), TText::TOOL};
// %s: reachable cells, land cells.
inline constexpr TText kReachable{N_("Erreichbar: %s von %s Landzellen"), TText::TOOL};
// %s: the worst thirst and hunger on the way.
inline constexpr TText kWays{N_("Weg zum Wasser %s Durst, zum Obst %s Hunger"), TText::TOOL};
inline constexpr TText kWinnable{N_("Floss: baubar, Insel gewinnbar"), TText::TOOL};
inline constexpr TText kNotWinnable{N_("Floss: NICHT baubar"), TText::TOOL};
// The checker's "NOT PLAYABLE" for the files as opened; saving rewrites them.
inline constexpr TText kFilesNotPlayable{N_("Dateien: NICHT spielbar, bis gespeichert"),
                                         TText::TOOL};
// %s: how many findings.
inline constexpr TText kProblems{N_("Probleme (%s): Tab oder Klick springt zur Zelle"),
                                 TText::TOOL};
// On the list's header when it scrolls. %s: the first and last row shown, all rows.
inline constexpr TText kProblemLines{N_("Zeilen %s-%s von %s (Rad)"), TText::TOOL};
inline constexpr TText kNoProblems{N_("Keine Probleme gefunden."), TText::TOOL};
// One finding in the list. %s: the finding.
inline constexpr TText kErrorRow{N_("FEHLER: %s"), TText::TOOL};
inline constexpr TText kWarningRow{N_("Warnung: %s"), TText::TOOL};
// After and under a question; J and Y both answer yes, N no.
inline constexpr TText kYesNoKeys{N_("(J/N)"), TText::TOOL};
inline constexpr TText kYesNo{N_("J = ja, N oder Esc = nein"), TText::TOOL};
inline constexpr TText kOkCancel{N_("Enter = ok, Esc = abbrechen"), TText::TOOL};

// The help page (F1): 78 letters a line at most; keep the key column.
inline constexpr TText kHelp[] = {
    {N_("Tasten (die Maus geht auch)"), TText::TOOL},
    {N_("Pfeile          Cursor (Umschalt: 8 Zellen)"), TText::TOOL},
    {N_("Leertaste       Werkzeug anwenden, gehalten: malen"), TText::TOOL},
    {N_("1-5             Boden: Meer, Flachwasser, Sand, Fels, Gras"), TText::TOOL},
    {N_("G / F           Bodenpinsel / Fuellen (bleibt in einer Bodenart)"), TText::TOOL},
    {N_("B               Pinselgroesse 1, 3, 5"), TText::TOOL},
    {N_("I, Bild auf/ab  Objekt setzen, Objekt waehlen"), TText::TOOL},
    {N_("Umsch+Bild a/ab Problemliste blaettern (auch Rad)"), TText::TOOL},
    {N_("E, Entf         Radierer"), TText::TOOL},
    {N_("M               Startmarke setzen, auf ihr: entfernen"), TText::TOOL},
    {N_("A / Umsch+A     Affen mehr / weniger"), TText::TOOL},
    {N_("W / Umsch+W     Warane mehr / weniger"), TText::TOOL},
    {N_("K               wo nie ein Tier erscheint"), TText::TOOL},
    {N_("R               Auswahl aufziehen, darin ziehen: verschieben"), TText::TOOL},
    {N_("Strg+C/X/V      Kopieren / Ausschneiden / Einfuegen am Zeiger"), TText::TOOL},
    {N_("P / L           Rechteck / Linie aus Boden oder Objekt"), TText::TOOL},
    {N_("T               Streuen: Objekt auf etwa jede vierte Landzelle"), TText::TOOL},
    {N_("Z               Zoom 1x, 2x, Uebersicht (Klick darin: 1x dort)"), TText::TOOL},
    {N_("H               Gitter an / aus"), TText::TOOL},
    {N_("Strg+Z / Strg+Y Rueckgaengig / Wiederholen (auch Strg+Umsch+Z)"), TText::TOOL},
    {N_("Tab / Umsch+Tab naechstes / voriges Problem"), TText::TOOL},
    {N_("Strg+N, Strg+O  Neu, Oeffnen"), TText::TOOL},
    {N_("Strg+Umsch+N    Neue Insel aus einem Samen"), TText::TOOL},
    {N_("Strg+S          Speichern (Umschalt: unter)"), TText::TOOL},
    {N_("F5              Probespiel"), TText::TOOL},
    {N_("F11             Vollbild an / aus"), TText::TOOL},
    {N_("Esc             Hilfe zu / Auswahl weg / Ende"), TText::TOOL},
    {N_("Maus: links malen, rechts Boden/Objekt aufnehmen,"), TText::TOOL},
    {N_("Rad rollen (Umschalt: seitlich, Strg: Zoom)"), TText::TOOL},
    {N_("Ziehen an den Rand rollt mit; Leertaste + Pfeile ziehen auch"), TText::TOOL},
    {N_("Start: das erste Land der Diagonale ab (0, 0), hoechstens"), TText::TOOL},
    {N_("bis (63, 63); gelb gepunktet, die Startzelle gelb umrahmt"), TText::TOOL},
};

// Files and questions.
inline constexpr TText kDiscard{N_("Ungespeicherte Aenderungen verwerfen?"), TText::TOOL};
inline constexpr TText kAskSize{N_("Neue Karte, Breite x Hoehe (20 x 15 bis 4096 x 4096):"),
                                TText::TOOL};
// %s: what the maker typed.
inline constexpr TText kBadSize{N_("Groesse \"%s\" geht nicht: 20 x 15 bis 4096 x 4096."),
                                TText::TOOL};
inline constexpr TText kOpenTitle{N_("Karte oeffnen"), TText::TOOL};
// The file dialog's filter: its name, a colon, then the extensions as they are.
inline constexpr TText kMapFilter{N_("Karten:png,map"), TText::TOOL};
inline constexpr TText kAskSaveAs{N_("Speichern unter (Bild .png; .map und .critter daneben):"),
                                  TText::TOOL};
// %s: the reason; the picture's path; the files' names.
inline constexpr TText kNotSaved{N_("Nicht gespeichert: %s"), TText::TOOL};
inline constexpr TText kSaved{N_("Gespeichert: %s"), TText::TOOL};
inline constexpr TText kOverwrite{N_("Vorhandene Dateien ueberschreiben: %s?"), TText::TOOL};
// %s: how many pixels of the picture have no ground colour.
inline constexpr TText kSaveRecolours{
    NN_("%s Pixel ohne Bodenfarbe wird beim Speichern zu Meer (oder zum gemalten Boden). "
        "Trotzdem speichern?",
        "%s Pixel ohne Bodenfarbe werden beim Speichern zu Meer (oder zum gemalten Boden). "
        "Trotzdem speichern?"),
    TText::TOOL};
// %s: how many errors the checker finds.
inline constexpr TText kPlayWithErrors{
    NN_("Die Karte hat %s Fehler, das Spiel kann daran scheitern. Trotzdem spielen?",
        "Die Karte hat %s Fehler, das Spiel kann daran scheitern. Trotzdem spielen?"),
    TText::TOOL};
// %s: the mark's cell, then the start's cell, then the diagonal's last cell
// "(n, n)" on this map. The game starts the castaway on the diagonal's first land.
inline constexpr TText kStartNotMark{
    N_("Start ist nicht die Markierung %s, sondern %s: das Spiel startet auf dem ersten Land "
       "der Diagonale (0, 0)-%s (gelb gepunktet)"),
    TText::TOOL};
inline constexpr TText kStartNotMarkNoLand{
    N_("Start ist nicht die Markierung %s: kein Land auf der Diagonale (0, 0)-%s, auf deren "
       "erstem Land das Spiel startet"),
    TText::TOOL};
// %s: a path, then the system's reason.
inline constexpr TText kNotRegular{N_("Keine gewoehnliche Datei: %s"), TText::TOOL};
inline constexpr TText kPickMapFile{
    N_("Bitte das Bild (.png) oder die Ebenendatei (.map) einer Karte waehlen, nicht %s"),
    TText::TOOL};
inline constexpr TText kMapUnreadable{N_("Karte nicht lesbar."), TText::TOOL};
inline constexpr TText kPngName{N_("Der Dateiname des Bildes muss auf .png enden."), TText::TOOL};
inline constexpr TText kPngFolder{
    N_("Ein Ordnername mit \".png\" darin: das Spiel faende die Ebenendatei nicht."), TText::TOOL};
inline constexpr TText kCannotWrite{N_("Nicht schreibbar: %s (%s)"), TText::TOOL};
inline constexpr TText kCannotReplace{N_("Nicht ersetzbar: %s (%s)"), TText::TOOL};
// A save that failed. %s: the reason.
inline constexpr TText kSaveElsewhere{N_("Nicht gespeichert: %s. Woanders speichern (Bild .png):"),
                                      TText::TOOL};
// A layer file shorter than its picture needs. %s: its name, the cells it lacks.
inline constexpr TText kAskOpenPadded{
    N_("Die Ebenendatei %s ist zu kurz, es fehlen %s Zellen. Mit leeren Zellen aufgefuellt "
       "oeffnen?"),
    TText::TOOL};
// %s: the picture's path, the cells added.
inline constexpr TText kOpenedPadded{
    N_("Geoeffnet: %s; %s fehlende Zellen leer aufgefuellt, Speichern schreibt sie"), TText::TOOL};
// %s: how many cells hold a layer byte that is no item.
inline constexpr TText kSaveClearsBytes{
    N_("%s Zellen haben ein Ebenenbyte, das kein Objekt ist. Beim Speichern leeren?"), TText::TOOL};
// Undo and redo name these steps.
inline constexpr TText kClearBytesStep{N_("Ebenenbytes geleert"), TText::TOOL};
inline constexpr TText kMoveStep{N_("Verschieben"), TText::TOOL};

// Play-testing. %s: the reason; the program, then the reason.
inline constexpr TText kNoGame{N_("Spiel nicht gefunden (palmut neben dem Editor oder im PATH)."),
                               TText::TOOL};
inline constexpr TText kNoRoom{N_("Kein Platz fuer die Testkarte."), TText::TOOL};
inline constexpr TText kNoPlayTest{N_("Probespiel geht nicht: %s"), TText::TOOL};
inline constexpr TText kGameRunning{N_("Spiel laeuft ... (der Editor wartet, bis es endet)"),
                                    TText::TOOL};
inline constexpr TText kAlreadyRunning{N_("Das Spiel laeuft schon."), TText::TOOL};
inline constexpr TText kNotStarted{N_("Spiel nicht gestartet: %s"), TText::TOOL};
inline constexpr TText kProgramNotStarted{N_("Nicht gestartet: %s (%s)"), TText::TOOL};
// Islands grown from a seed, in the editor (Ctrl+Shift+N) and on the command line.
inline constexpr TText kAskSeed{N_("Insel aus Samen: Zahl, dahinter Breite x Hoehe (64-512):"),
                                TText::TOOL};
// %s: what the maker typed.
inline constexpr TText kBadSeed{
    N_("Samen \"%s\" geht nicht: eine ganze Zahl von 0 bis 18446744073709551615."), TText::TOOL};
inline constexpr TText kBadIslandSize{
    N_("Groesse \"%s\" geht nicht: Breite x Hoehe, je 64 bis 512 (etwa 128x128)."), TText::TOOL};
// %s: the seed, how many candidates were tried.
inline constexpr TText kNoPlayableIsland{
    N_("Aus dem Samen %s wurde in %s Versuchen keine spielbare Insel; bitte ein anderer Samen."),
    TText::TOOL};
// %s: the seed, width, height.
inline constexpr TText kIslandGrown{N_("Insel aus Samen %s, %s x %s: gewinnbar, ungespeichert."),
                                    TText::TOOL};
// %s: the program's name.
inline constexpr TText kGenerateUsage{
    N_("Aufruf: %s --generate SAMEN [--size BREITExHOEHE] [--lang de|en] AUSGABE.png"),
    TText::TOOL};
inline constexpr TText kNoOutput{N_("Wohin? Der Name des Bildes (.png) fehlt."), TText::TOOL};
// %s: the reason.
inline constexpr TText kNotGenerated{N_("Nichts geschrieben: %s"), TText::TOOL};
// %s: the picture's path, the seed, width, height.
inline constexpr TText kGenerated{N_("%s geschrieben: Insel aus Samen %s, %s x %s Zellen."),
                                  TText::TOOL};
} // namespace editor_texts
