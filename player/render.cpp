// Drawing the castaway, the need gauges, the inventory bar and the inventory
// selection overlay.
#include <algorithm>
#include <string>

#include "core/centring.h"
#include "core/state.h"
#include "core/texts.h"
#include "media/graphics.h"
#include "player/player.h"
#include "world/karte.h"
#include "world/objekt.h"

namespace {

// Missing assets (tests, a broken install) are skipped rather than drawn.
void DrawIfLoaded(const ImagePtr& image, int x, int y, int frame) {
    if (image) DrawImage(image, static_cast<float>(x), static_cast<float>(y), frame);
}

// Ids without an item frame (unknown layer bytes) draw nothing.
void DrawItem(int id, int x, int y) {
    if (id >= 1 && id <= TObjekt::COUNT) DrawIfLoaded(objectimages, x, y, id - 1);
}

int SlotCentreX(int slot) {
    return 32 + 64 * slot;
}

} // namespace

void TPlayer::Render() {
    SetDrawRotation(static_cast<float>(rotation));
    // The same clamped origin the map is drawn with, so the sprite sits on its own tile.
    int vx = x - TKarte::VIEW_OFFSET_X, vy = y - TKarte::VIEW_OFFSET_Y;
    ClampViewOrigin(karte, vx, vy);
    DrawIfLoaded(beings, TKarte::TILE_SIZE * (x - vx), TKarte::TILE_SIZE * (y - vy), 0);

    SetDrawRotation(0);
    SetAlpha(0.8f);
    SetDrawScale(2, 2);
    SetColor(255, 255 - hunger, 255 - hunger);
    DrawIfLoaded(foodstate, 550, 40, 0);
    SetColor(255, 255 - durst, 255 - durst);
    DrawIfLoaded(foodstate, 590, 40, 1);

    SetColor(255, 255, 255);
    SetDrawScale(1, 1);
    SetAlpha(0.5f);
    SetColor(128, 128, 128);
    DrawRect(0, 420, 640, 40);

    SetColor(255, 255, 255);
    SetAlpha(0.6f);
    for (int slot = 0; slot < SLOTS; ++slot)
        if (inventory[slot] != 0) DrawItem(inventory[slot], SlotCentreX(slot), 440);
    SetAlpha(1);
}

void TPlayer::renderInventory() {
    if (gamestate != GS_USE && gamestate != GS_COMBINE && gamestate != GS_DROP) return;

    SetAlpha(0.5f);
    SetColor(128, 128, 128);
    DrawRect(0, 0, 640, 480);
    SetAlpha(0.8f);
    DrawRect(0, 220, 640, 40);
    SetColor(255, 255, 255);
    SetAlpha(1);

    for (int slot = 0; slot < SLOTS; ++slot)
        if (inventory[slot] != 0) DrawItem(inventory[slot], SlotCentreX(slot), 240);

    if (combine1 > 0) {
        SetColor(0, 255, 0);
        DrawIfLoaded(selector, SlotCentreX(combine1slot), 240, 0);
        SetColor(255, 255, 255);
        const std::string text = Tr(texts::CHOSEN, {TObjekt::getName(combine1)});
        DrawText(text, CentredX(text), 204);
    }

    DrawIfLoaded(selector, SlotCentreX(chosen), 240, 0);
    int shown = (chosen >= 0 && chosen < SLOTS) ? inventory[chosen] : 0;
    // Under its slot, but a long name in the last slots stays on the screen.
    const std::string name = TObjekt::getName(shown);
    const float right = 640.0f - TextWidth(GetFont(), name);
    DrawText(name, std::min(static_cast<float>(64 * chosen), right), 260);
}
