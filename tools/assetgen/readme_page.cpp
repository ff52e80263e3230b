// The readmes the page shows (the browser build packs them in place of the
// desktop's): the keys, the touch pad, the address settings and LOAD FROM
// DISK; nothing of installed folders or shell commands, which a page lacks.
#include "texts.h"

namespace assetgen {

namespace {

// Mixed case at the start, as in the desktop readmes.
constexpr const char* kPageReadme = R"(Palmut - ein 8-Bit-Abenteuer im Browser
=======================================

Die Geschichte
--------------
Ein Sturm hat Dein Schiff zerschlagen. Du erwachst an einem fremden Strand,
um Dich nur Sand, Palmen und das weite Meer. Willst Du je nach Hause, musst
Du Dir selbst helfen: ein Floß bauen, ein Segel nähen, Wasser und Vorräte
einpacken und in See stechen. Hunger und Durst zehren an Dir, und auf den
Felsen lauert ein Waran ohne Sinn für Humor.


Tasten
------
  Pfeiltasten oder W A S D   gehen; jeder Tastendruck ist ein Schritt
  Leertaste                  aufheben, was auf Deinem Feld liegt
  Enter                      einen Gegenstand benutzen
  C                          zwei Gegenstände kombinieren
  F                          einen Gegenstand ablegen (das Feld muss frei sein)
  Escape                     in einer Auswahl: abbrechen, sonst: Spiel beenden

Im Titelmenü wählst Du mit den Pfeiltasten und bestätigst mit Leertaste
oder Enter. Ist das Spiel zu Ende, startet "Nochmal spielen" (oder Enter,
Leertaste, ein Tippen) ein neues vom Titelbild an.

Steckt das Spiel in einer anderen Seite, bekommt es die Tasten erst, wenn
Du es anklickst oder antippst; bis dahin steht "Klicken oder tippen zum
Spielen" darüber. Tab verlässt das Spiel wieder.


Auf dem Touchscreen
-------------------
Auf einem Telefon oder Tablet erscheinen die Tasten des Spiels als Feld:
die vier Richtungen, SPACE (Leertaste), ENTER, C, F und ESC. Hochkant liegt
das Feld unter dem Bild, quer zu beiden Seiten. Mehrere Finger zugleich
gehen (laufen und handeln). Sobald Du eine echte Taste oder ein Gamepad
benutzt, verschwindet es, und beim nächsten Tippen kommt es wieder.


Gamepad
-------
  Steuerkreuz oder linker Stick   wie die Pfeiltasten
  A / X / Y / B                   Leertaste / Enter / C / F
  Start                           Escape


Einstellungen in der Adresse
----------------------------
Die Seite nimmt ihre Einstellungen aus der Adresse, zum Beispiel
  ...?map=bucht&sound=0&lang=en
  map=NAME         die Insel: map (die Startinsel) oder bucht
  lang=CODE        die Sprache; ohne sie, oder wenn das Spiel sie nicht
                   kennt, die des Browsers, sonst Englisch
  sound=0          ohne Soundeffekte
  fullscreen=1     Vollbild ab dem ersten Tastendruck
  stream=ADRESSE   ein Musikstream (leer: keine Musik)
Eine unbekannte Insel lässt die Startinsel, mit einem Hinweis auf dem
Titelbild.

Vollbild: F11, Alt+Enter oder der Knopf oben rechts. Ton gibt es ab dem
ersten Tastendruck oder Tippen. In einem Tab im Hintergrund steht das
Spiel still und schweigt.


Eigene Inseln: VON DISK LADEN
-----------------------------
Unter KARTE WAEHLEN, am Fuß der Liste, wählt VON DISK LADEN die drei
Dateien einer Insel zugleich von Deinem Rechner: NAME.png, NAME.map und
NAME.critter (je höchstens 32 MB, bis zu 16 Dateien auf einmal). Sie
bleiben nur für diesen Besuch. Eine Insel, die nicht lesbar ist, wird
nicht geladen; das Titelbild sagt es mit ihrem Namen.


Hunger und Durst
----------------
Oben rechts stehen zwei Anzeigen, links Hunger, rechts Durst: je röter,
desto schlechter geht es Dir. Jeder Schritt zehrt, Sand und Fels mehr als
Gras. Im flachen Wasser trinkst Du, Beeren, Kokosnüsse und Fleisch
stillen den Hunger. Nach dem Tod startet Enter das Spiel neu.


Viel Glück - und gute Heimreise!
)";

constexpr const char* kPageReadmeEnglish = R"(Palmut - an 8-bit adventure in the browser
==========================================

The story
---------
A storm has smashed your ship to pieces. You wake up on a strange beach
with nothing around you but sand, palm trees and the wide sea. If you ever
want to get home, you will have to help yourself: build a raft, stitch a
sail, pack water and supplies, and put to sea. Hunger and thirst wear you
down, and out on the rocks lurks a monitor lizard with no sense of humour.


Keys
----
  Arrow keys or W A S D   walk; every key press is one step
  Space                   pick up what lies on your square
  Enter                   use a thing
  C                       combine two things
  F                       put a thing down (the square must be free)
  Escape                  in a selection: cancel, otherwise: quit the game

In the title menu, choose with the arrow keys and confirm with Space or
Enter. When the game is over, "Play again" (or Enter, Space, a tap) starts
a new one from the title picture.

When the game sits inside another page, it takes the keys only once you
click or tap it; until then "Click or tap to play" shows over it. Tab
leaves the game again.


On a touch screen
-----------------
On a phone or tablet the game's keys appear as a pad: the four
directions, SPACE, ENTER, C, F and ESC. Upright, the pad lies below the
picture; on its side, at both sides of it. Several fingers at once work
(walk and act). As soon as you use a real key or a gamepad the pad goes,
and it comes back at your next tap.


Gamepad
-------
  D-pad or left stick   like the arrow keys
  A / X / Y / B         Space / Enter / C / F
  Start                 Escape


Settings in the address
-----------------------
The page takes its settings from its address, for example
  ...?map=bucht&sound=0&lang=en
  map=NAME         the island: map (the starter island) or bucht
  lang=CODE        the language; without it, or when the game lacks it,
                   the browser's, else English
  sound=0          no sound effects
  fullscreen=1     full screen from the first key press
  stream=ADDRESS   a music stream (empty: no music)
An unknown island leaves the starter island, with a notice on the title
picture.

Full screen: F11, Alt+Enter or the button at the top right. Sound starts
with the first key press or tap. In a background tab the game stands
still and is silent.


Your own islands: LOAD FROM DISK
--------------------------------
In CHOOSE MAP, at the foot of the list, LOAD FROM DISK picks an island's
three files at once from your computer: NAME.png, NAME.map and
NAME.critter (at most 32 MB each, up to 16 files at a time). They stay
for this visit only. An island that cannot be read is not loaded; the
title picture says so, with its name.


Hunger and thirst
-----------------
At the top right two gauges show hunger (left) and thirst (right): the
redder, the worse you are doing. Every step costs strength, sand and
rock more than grass. You drink in shallow water; berries, coconuts and
meat still hunger. After death, Enter starts the game afresh.


Good luck - and a safe journey home!
)";

} // namespace

std::string PageReadme() {
    return kPageReadme;
}

std::string PageReadmeEnglish() {
    return kPageReadmeEnglish;
}

} // namespace assetgen
