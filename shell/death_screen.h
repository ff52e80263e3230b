// The screen after the castaway died, of hunger, thirst or the lizard.
#pragma once

// Shows the cause of death and waits for Enter (gamestate GS_LOADLEVEL: try the
// island again) or Escape (GS_QUIT). The main loop calls it for a death state
// that play set in an earlier pass.
void ShowDeathScreen(int state);
