// Loading of the shared pictures, sounds and fonts into the globals of
// core/state.h, from the asset tree the working directory points into.
#pragma once

// Called by start-up and by the island editor. A picture or font the game
// cannot do without ends the program with "<file> not found.", or with
// "<file> is damaged or not a PNG picture." ("... a TrueType font.") when it
// is there but does not load; a missing sound only stays silent.
void LoadTitleAssets();
void LoadPlayAssets();
// Both, as start-up loads them: the title picture placed by its corner, the
// play pictures by their centre and drawn alpha-blended; leaves the handle and
// blend modes so and makes the play font the default.
void LoadGameAssets();
