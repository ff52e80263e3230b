#include "item_table.h"
#include "texts.h"

namespace assetgen {

namespace {
// Mixed case at the start, as in the German readme: "PA" would make file
// sniffers take it for a plotter file.
constexpr const char* kReadmeTextHead = R"(Palmut - an 8-bit adventure
===========================

The story
---------
A storm has smashed your ship to pieces. When you wake up, you are lying on
a strange beach with nothing around you but sand, palm trees and the wide
sea. Nobody will come looking for you here. If you ever want to get home,
you will have to help yourself: build a raft, stitch a sail, pack water
and supplies, and put to sea.

But watch out: hunger and thirst wear you down, and out on the rocks lurks
a monitor lizard with no sense of humour.


Controls
--------
  Arrow keys or W A S D   walk (north, west, south, east);
                          every key press is one step
  Space                   pick up what lies on your cell
  Enter                   use an item
  C                       combine two items
  F                       drop an item (the cell must be free)
  Escape                  in a selection: cancel, otherwise: quit the game

Using, combining and putting down open your inventory: choose a slot with
the left and right arrow keys and confirm with Enter. To combine, you pick
two items one after the other.

Everything you do happens on the cell you stand on. You carry at most
ten items.

In the title menu, choose with the arrow keys (or W and S) and confirm with
Space or Enter; Escape quits the game:
  START GAME   off you go
  CHOOSE MAP   load another island (choose a .map file)
  README.TXT   this file
  QUIT         quit the game

Two islands come with the game: map/map.map, the friendly starter island,
and map/bucht.map, an island around a wide bay with scarcer supplies and
two monitor lizards - for everyone who likes it harder.

If your desktop has no file dialog, CHOOSE MAP shows a list of its own:
your maps from ~/.local/share/palmut/maps/ (marked with *) and the game's;
choose with the arrow keys and Enter, Escape cancels.
If the desktop cannot show this file, it appears inside the game: arrow
keys or Space turn the page, Escape goes back to the menu.


Gamepad
-------
A gamepad can be plugged in at any time and works like the keyboard:
  D-pad or left stick   like the arrow keys; every tap is one key press
  A                     Space
  X                     Enter
  Y                     C
  B                     F
  Start                 Escape, in the title menu and after death
  Back and Start        Escape during play (quits it)


Window and full screen
----------------------
  F11 or Alt+Enter   switches between window and full screen at any time

The window can be resized and maximised freely. The picture grows in whole
multiples (double, triple, ...) so every pixel stays the same size; the
border stays black.


Settings
--------
The game reads two small text files and never writes anything itself:

  game.cfg     line 1: if it says "true", the game runs full screen;
               line 2: if it says "true", there are sound effects;
               a line language=en or language=de chooses the language
  stream.cfg   line 1: the address of a music stream (empty: no music)

The game speaks the language of your desktop: German on a German desktop
(and in the C locale), English everywhere else. The line language= in
game.cfg or the option --lang (palmut --lang en) overrides that.

The files that come with the game live in its data/ folder and are
read-only after an installation. To make your own settings:

    mkdir -p ~/.config/palmut
    cp /usr/share/games/palmut/data/game.cfg ~/.config/palmut/

and then edit the copy (stream.cfg likewise). A file in ~/.config/palmut/
(more precisely: $XDG_CONFIG_HOME/palmut/) counts instead of the game's own.


Hunger and thirst
-----------------
At the top right you see two gauges: hunger on the left, thirst on the
right. The redder they get, the worse you are doing.

  - Every step makes you hungry and thirsty. Sand costs more strength
    than grass, and rock more still. Standing around costs nothing.
  - Picking up an item costs a little strength too.
  - Shallow water (the lighter, greenish water) can be waded through,
    and you drink while you do. The deep sea cannot be entered.
  - Eating eases hunger: berries a little, coconuts more, meat a fair
    bit, a good roast a great deal.
  - Palm trees and berry bushes grow new fruit over time.

Go too long without food or water and you die. After death, Enter starts
the game afresh.


The island's inhabitants
------------------------
  Monkeys          harmless but cheeky: they eat fruit lying around. With
                   a blade you can hunt them; they leave meat or a fur.
  Monitor lizard   deadly. Keep out of its way, especially on rock.


Crafting tips (without giving everything away)
----------------------------------------------
  - A stone and a piece of driftwood make a simple tool.
  - A hammer splits stones. Sometimes there is more inside than you would
    think: sparks, sharp edges, a reddish glitter.
    And with a hammer, coconuts fall from the palm more easily.
  - Flint and wood make a campfire. At the fire ore melts, and raw meat
    becomes a roast (but not for too long!).
  - A sharp slab of stone on a handle makes a usable axe.
  - Iron and a hammer make a saw. A saw turns palm trees into planks.
  - Two furs make a leather pouch to carry water in.
  - Ferns can be woven into sailcloth; two scraps make a sail.
  - The raft is built on the beach: always lay two planks at once until
    it is finished.
  - Before you cast off, you need a sail, water for the journey and a
    proper load of food.


Building your own islands
-------------------------
An island is three files with the same name in one folder, for example
myisland.png, myisland.map and myisland.critter.
Please use lower case for the file names.

Your own islands belong in the folder ~/.local/share/palmut/maps/ (more
precisely: $XDG_DATA_HOME/palmut/maps/). The game creates it the first
time you call CHOOSE MAP; once it holds a .map file, the choice starts
there, otherwise in the game's map/ folder. To try an island while
building it, you can also start it directly:

    palmut --map ~/.local/share/palmut/maps/myisland.map

1. The picture (.png): one pixel per cell, at least 64 x 64 pixels. The
   colour decides the ground, and exactly so (red, green, blue):

     sea             0, 148, 255   (cannot be entered)
     shallow water   0, 127, 127
     sand          255, 216,   0
     rock          128, 128, 128
     grass          76, 255,   0

   Any other colour (semi-transparent pixels too) becomes sea.
   The castaway starts on the first cell of the diagonal (0,0), (1,1),
   (2,2) ... that is not sea. Fruit grows and critters appear only in the
   first 64 columns and rows.

2. The items (.map): a file without a header holding exactly one byte per
   cell, row by row from top to bottom, each row from left to right
   (so width times height bytes). 0 means empty, otherwise the number of
   the item:

)";

// After the item table.
constexpr const char* kReadmeTextTail = R"(
   If the file is missing or too short, the game stops. An island chosen
   in the menu whose picture or .map is missing or unreadable is not
   loaded at all: the game keeps the island it had and shows "Cannot read
   this map" with the file name.

3. The critters (.critter): a text file of two lines, the number of monkeys
   in the first, the number of monitor lizards in the second. They are
   placed at random on cells one can walk on.

The tool palmut-mapcheck (installed with the game; in the sources it is
called palmut_mapcheck) checks an island before you play it:

    palmut-mapcheck myisland.png
    palmut-mapcheck --preview preview.png --gfx /usr/share/games/palmut/gfx myisland.png

It reports wrong colours, invalid bytes, the start position and whether
everything the raft needs can be reached from the start. With --preview
it draws the whole island with all its items into a picture.

A fair island has at least six palm trees, two berry bushes, four stones,
five pieces of driftwood, six ferns, rock to walk on, shallow water to
drink, sandy beaches and at least eight monkeys.


Good luck - and a safe journey home!
)";
} // namespace

// The English readme, beside the German one; the English menu opens it.
std::string ReadmeEnglish() {
    return kReadmeTextHead + ItemTable(EnglishItemName) + kReadmeTextTail;
}

} // namespace assetgen
