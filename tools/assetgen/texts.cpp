#include "texts.h"

#include "item_table.h"

namespace assetgen {

// Line 1 switches full screen, line 2 the sound effects: a window with sound.
std::string GameConfig() {
    return "fullscreen=false\nsound=true\n";
}

// An empty first line means no music stream.
std::string StreamConfig() {
    return "\n";
}

// The first line starts in mixed case: "PA" as the first two bytes would make
// file-type detection take the readme for a plotter file, and a desktop
// without a session would then refuse to open it as text.
constexpr const char* kReadmeHead = R"(Palmut - ein 8-Bit-Abenteuer
============================

Die Geschichte
--------------
Ein Sturm hat Dein Schiff zerschlagen. Als Du erwachst, liegst Du an einem
fremden Strand, um Dich herum nur Sand, Palmen und das weite Meer. Niemand
wird Dich hier suchen. Wenn Du je wieder nach Hause willst, musst Du Dir
selbst helfen: Baue ein Floß, nähe ein Segel, packe Wasser und Vorräte ein
und stich in See.

Doch Vorsicht: Hunger und Durst zehren an Dir, und im Felsland lauert ein
Waran, der keinen Spaß versteht.


Steuerung
---------
  Pfeiltasten oder W A S D   gehen (Norden, Westen, Süden, Osten);
                             jeder Tastendruck ist ein Schritt
  Leertaste                  aufheben, was auf Deinem Feld liegt
  Enter                      einen Gegenstand benutzen
  C                          zwei Gegenstände kombinieren
  F                          einen Gegenstand ablegen (das Feld muss frei sein)
  Escape                     in einer Auswahl: abbrechen, sonst: Spiel beenden

Beim Benutzen, Kombinieren und Ablegen öffnet sich Dein Inventar: wähle mit
den Pfeiltasten links und rechts einen Platz und bestätige mit Enter. Beim
Kombinieren wählst Du nacheinander zwei Gegenstände aus.

Alles, was Du tust, geschieht auf dem Feld, auf dem Du stehst. Du trägst
höchstens zehn Dinge bei Dir.

Im Titelmenü wählst Du mit den Pfeiltasten (oder W und S) und bestätigst
mit Leertaste oder Enter; Escape beendet das Spiel:
  SPIEL STARTEN   los geht's
  KARTE WAEHLEN   eine andere Insel laden (eine .map-Datei auswählen)
  LIESMICH.TXT    diese Datei
  ENDE            Spiel beenden

Mitgeliefert sind zwei Inseln: map/map.map, die freundliche Startinsel, und
map/bucht.map, eine Insel um eine weite Bucht mit knapperen Vorräten und
zwei Waranen - für alle, die es schwerer mögen.

Gibt es auf Deinem Desktop keine Dateiauswahl, zeigt KARTE WAEHLEN eine
eigene Liste: Deine Karten aus ~/.local/share/palmut/maps/ (mit * markiert)
und die des Spiels; wähle mit den Pfeiltasten und Enter, Escape bricht ab.
Kann der Desktop diese Datei nicht anzeigen, erscheint sie im Spiel:
Pfeiltasten oder Leertaste blättern, Escape führt zurück ins Menü.


Gamepad
-------
Ein Gamepad kann jederzeit angesteckt werden und steuert wie die Tastatur:
  Steuerkreuz oder linker Stick   wie die Pfeiltasten; jedes Antippen
                                  ist ein Tastendruck
  A                               Leertaste
  X                               Enter
  Y                               C
  B                               F
  Start                           Escape, im Titelmenü und nach dem Tod
  Back und Start zusammen         Escape im Spiel (beendet es)


Fenster und Vollbild
--------------------
  F11 oder Alt+Enter   wechselt jederzeit zwischen Fenster und Vollbild

Das Fenster lässt sich frei vergrößern und maximieren. Das Bild wächst in
ganzen Vielfachen (doppelt, dreifach, ...), damit jeder Bildpunkt gleich groß
bleibt; der Rand bleibt schwarz.


Einstellungen
-------------
Das Spiel liest zwei kleine Textdateien und schreibt selbst nie etwas:

  game.cfg     Zeile 1: steht dort "true", läuft das Spiel im Vollbild;
               Zeile 2: steht dort "true", gibt es Geräusche
  stream.cfg   Zeile 1: die Adresse eines Musik-Streams (leer: keine Musik)

Die mitgelieferten Dateien liegen im Ordner data/ des Spiels und sind nach
einer Installation schreibgeschützt. Eigene Einstellungen legst Du so an:

    mkdir -p ~/.config/palmut
    cp /usr/share/games/palmut/data/game.cfg ~/.config/palmut/

und bearbeitest dann die Kopie (ebenso stream.cfg). Liegt eine Datei in
~/.config/palmut/ (genauer: $XDG_CONFIG_HOME/palmut/), gilt sie statt der
mitgelieferten.


Hunger und Durst
----------------
Oben rechts siehst Du zwei Anzeigen: links den Hunger, rechts den Durst. Je
röter sie werden, desto schlechter geht es Dir.

  - Jeder Schritt macht hungrig und durstig. Sand und vor allem Fels
    kosten mehr Kraft als Gras. Wer nur herumsteht, verbraucht nichts.
  - Auch das Aufheben eines Gegenstands kostet ein wenig Kraft.
  - Flaches Wasser (das hellere, grünliche Wasser) kann man durchwaten und
    dabei trinken. Das tiefe Meer kann man nicht betreten.
  - Essen stillt den Hunger: Beeren wenig, Kokosnüsse mehr, Fleisch
    einiges, ein guter Braten sehr viel.
  - Palmen und Beerensträucher tragen mit der Zeit neue Früchte.

Wer zu lange nichts isst oder trinkt, stirbt. Nach dem Tod beginnt das
Spiel mit Enter von vorn.


Die Bewohner der Insel
----------------------
  Affen    harmlos, aber frech: sie fressen herumliegende Früchte. Mit
           einer Klinge kannst Du sie erlegen; sie lassen Fleisch oder ein
           Fell zurück.
  Waran    tödlich. Geh ihm aus dem Weg, besonders im Felsland.


Tipps zum Handwerk (ohne alles zu verraten)
-------------------------------------------
  - Ein Stein und ein Stück Treibholz ergeben ein einfaches Werkzeug.
  - Mit einem Hammer lassen sich Steine spalten. Manchmal steckt mehr
    darin, als man denkt: Funken, scharfe Kanten, ein rötliches Glitzern.
    Und mit einem Hammer fallen Kokosnüsse leichter von der Palme.
  - Feuerstein und Holz geben eine Feuerstelle. Am Feuer schmilzt Erz,
    und rohes Fleisch wird zum Braten (aber nicht zu lange!).
  - Eine scharfe Steinplatte an einem Stiel ist eine brauchbare Axt.
  - Aus Eisen und einem Hammer wird eine Säge. Eine Säge macht aus
    Palmen Planken.
  - Zwei Felle ergeben einen Lederbeutel, in dem man Wasser mitnehmen kann.
  - Farne lassen sich zu Segeltuch flechten; zwei Stücke ergeben ein Segel.
  - Das Floß baut man am Strand: lege immer zwei Planken zugleich, bis es
    fertig ist.
  - Bevor Du ablegst, brauchst Du ein Segel, Wasser für die Reise und eine
    ordentliche Ladung Nahrung.


Eigene Inseln bauen
-------------------
Eine Insel besteht aus drei Dateien mit gleichem Namen in einem Ordner,
zum Beispiel meineinsel.png, meineinsel.map und meineinsel.critter.
Dateinamen bitte klein schreiben.

Eigene Inseln gehören in den Ordner ~/.local/share/palmut/maps/ (genauer:
$XDG_DATA_HOME/palmut/maps/). Das Spiel legt ihn an, wenn Du zum ersten Mal
KARTE WAEHLEN aufrufst; sobald darin eine .map-Datei liegt, beginnt die
Auswahl dort, sonst im Ordner map/ des Spiels. Zum Ausprobieren beim Bauen
startest Du eine Insel auch direkt:

    palmut --map ~/.local/share/palmut/maps/meineinsel.map

1. Das Bild (.png): ein Pixel je Feld, mindestens 64 x 64 Pixel. Die Farbe
   bestimmt den Boden, und zwar ganz genau (Rot, Grün, Blau):

     Meer           0, 148, 255   (nicht begehbar)
     flaches Wasser 0, 127, 127
     Sand         255, 216,   0
     Fels         128, 128, 128
     Gras          76, 255,   0

   Jede andere Farbe (auch halbdurchsichtige Pixel) wird zu Meer.
   Der Gestrandete beginnt auf dem ersten Feld der Diagonale (0,0), (1,1),
   (2,2) ... das kein Meer ist. Früchte wachsen und Tiere erscheinen nur in
   den ersten 64 Spalten und Zeilen.

2. Die Gegenstände (.map): eine Datei ohne Kopf mit genau einem Byte je
   Feld, Zeile für Zeile von oben nach unten, in jeder Zeile von links
   nach rechts (also Breite mal Höhe Bytes). 0 heißt leer, sonst die
   Nummer des Gegenstands:

)";

// After the item table.
constexpr const char* kReadmeTail = R"(
   Fehlt die Datei oder ist sie zu kurz, bricht das Spiel ab. Eine im
   Menü gewählte Insel, deren Bild oder .map fehlt oder nicht lesbar
   ist, lädt das Spiel gar nicht erst: es bleibt bei der bisherigen Insel
   und zeigt "Karte nicht lesbar" mit dem Dateinamen.

3. Die Tiere (.critter): eine Textdatei mit zwei Zeilen, in der ersten die
   Zahl der Affen, in der zweiten die Zahl der Warane. Sie werden zufällig
   auf begehbare Felder gesetzt.

Mit dem Werkzeug palmut-mapcheck (es wird mit dem Spiel installiert; in
den Quellen heißt es palmut_mapcheck) kannst Du eine Insel vor dem Spielen
prüfen lassen:

    palmut-mapcheck meineinsel.png
    palmut-mapcheck --preview vorschau.png --gfx /usr/share/games/palmut/gfx meineinsel.png

Es meldet falsche Farben, ungültige Bytes, die Startposition und ob vom
Start aus alles erreichbar ist, was man für das Floß braucht. Mit --preview
zeichnet es die ganze Insel mit allen Gegenständen in ein Bild.

Eine faire Insel hat mindestens sechs Palmen, zwei Beerensträucher, vier
Steinbrocken, fünf Stück Treibholz, sechs Farne, Felsen, flaches Wasser
zum Trinken, Sandstrände und mindestens acht Affen.


Viel Glück - und gute Heimreise!
)";

std::string Readme() {
    return kReadmeHead + ItemTable(GermanReadmeName) + kReadmeTail;
}

} // namespace assetgen
