// The castaway, gauges, inventory bar and selection overlay as the real
// renderer draws them offscreen, checked at known pixels.
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "media/gfx/png_writer.h"
#include "player_test_support.h"
#include "support/temp_dir.h"

namespace {

struct Rgb {
    int r, g, b;
};

// Pictures and captured frames go into a folder of this process's own: ctest
// runs this program's tests side by side.
const TempDir& Scratch() {
    static const TempDir dir;
    return dir;
}

// A strip of solid 32 x 32 frames; `paint` gives the colour of each pixel.
std::string WriteStrip(const std::string& name, int frames,
                       const std::function<Rgb(int frame, int x, int y, int& alpha)>& paint) {
    const int w = 32 * frames, h = 32;
    std::vector<uint8_t> px(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int alpha = 255;
            const Rgb c = paint(x / 32, x % 32, y, alpha);
            uint8_t* p = &px[(static_cast<size_t>(y) * w + x) * 4];
            p[0] = static_cast<uint8_t>(c.r);
            p[1] = static_cast<uint8_t>(c.g);
            p[2] = static_cast<uint8_t>(c.b);
            p[3] = static_cast<uint8_t>(alpha);
        }
    const std::string path = Scratch() / (name + ".png");
    EXPECT_TRUE(media_internal::WritePng(path, w, h, 4, px.data()));
    return path;
}

// Item id n is drawn in (10 n, 250, 20), so the frame used can be read back.
Rgb ItemColour(int id) {
    return {10 * id, 250, 20};
}

// `top` drawn with opacity `alpha` over `under`.
Rgb Over(double alpha, Rgb top, Rgb under) {
    auto mix = [alpha](int a, int b) {
        return static_cast<int>(std::lround(alpha * a + (1 - alpha) * b));
    };
    return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b)};
}

Rgb Pixel(int x, int y) {
    const unsigned p = ReadBackPixel(x, y);
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
            static_cast<int>(p & 0xFF)};
}

void ExpectPixel(int x, int y, Rgb want, int tolerance = 2) {
    const Rgb got = Pixel(x, y);
    EXPECT_NEAR(got.r, want.r, tolerance) << "at " << x << "," << y;
    EXPECT_NEAR(got.g, want.g, tolerance) << "at " << x << "," << y;
    EXPECT_NEAR(got.b, want.b, tolerance) << "at " << x << "," << y;
}

// Whether anything lighter than `level` was drawn inside the rectangle.
bool AnyBrighter(int x0, int y0, int w, int h, int level) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            if (Pixel(x, y).r > level && Pixel(x, y).b > level) return true;
    return false;
}

} // namespace

class RenderTest : public PlayerTest {
  protected:
    static void SetUpTestSuite() { OpenWindow(); }
    void SetUp() override {
        PlayerTest::SetUp();
        SetCentredHandles(1);
        SetBlend(BLEND_ALPHA);
        // Castaway: red upper half, blue lower half, so the turn shows.
        beings = LoadImageStrip(WriteStrip("beings", 10,
                                           [](int, int, int y, int&) {
                                               return y < 16 ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
                                           }),
                                32, 32, 0, 10, IMAGE_DEFAULT);
        foodstate = LoadImageStrip(WriteStrip("foodstate", 2,
                                              [](int, int, int, int&) {
                                                  return Rgb{255, 255, 255};
                                              }),
                                   32, 32, 0, 2, IMAGE_DEFAULT);
        objectimages =
            LoadImageStrip(WriteStrip("objects", Item::COUNT,
                                      [](int f, int, int, int&) { return ItemColour(f + 1); }),
                           32, 32, 0, Item::COUNT, IMAGE_DEFAULT);
        // A 4-pixel white frame with a see-through middle.
        selector = LoadImage(WriteStrip("selector", 1,
                                        [](int, int x, int y, int& alpha) {
                                            const bool edge = x < 4 || y < 4 || x > 27 || y > 27;
                                            alpha = edge ? 255 : 0;
                                            return Rgb{255, 255, 255};
                                        }),
                             IMAGE_DEFAULT);
        ASSERT_TRUE(beings && foodstate && objectimages && selector);
        SetFont(nullptr);
        Cls();
    }
};

TEST_F(RenderTest, CastawaySitsOnItsOwnTileAndTurns) {
    struct Case {
        int x, y, sx, sy;
    };
    for (Case c : {Case{30, 30, 320, 256}, Case{3, 4, 96, 128}, Case{63, 50, 608, 256},
                   Case{40, 62, 320, 416}}) {
        Cls();
        player.SetPos(c.x, c.y);
        player.rotation = 0;
        player.Render();
        ExpectPixel(c.sx, c.sy - 8, {255, 0, 0});
        ExpectPixel(c.sx, c.sy + 2, {0, 0, 255}); // above the inventory bar
    }
    Cls();
    player.SetPos(30, 30);
    player.rotation = 180;
    player.Render();
    ExpectPixel(320, 248, {0, 0, 255});
    ExpectPixel(320, 264, {255, 0, 0});

    // On a map narrower than the view the tile counts from column 0.
    Cls();
    MakeMap(12, 10, 4);
    player.SetPos(11, 9);
    player.rotation = 0;
    player.Render();
    ExpectPixel(352, 280, {255, 0, 0});
}

TEST_F(RenderTest, GaugesAreTintedByTheNeeds) {
    player.hunger = 128;
    player.durst = -150;
    player.Render();
    ExpectPixel(530, 40, {204, 102, 102}); // hunger only, 80 % opaque
    ExpectPixel(600, 40, {204, 204, 204}); // water carried gives white
    ExpectPixel(570, 40, {245, 224, 224}); // the thirst icon lies on top
    ExpectPixel(530, 8, {204, 102, 102});  // drawn at twice the size
    Cls();
    player.hunger = 300;
    player.durst = 180;
    player.Render();
    ExpectPixel(530, 40, {204, 0, 0});
    ExpectPixel(600, 40, {204, 60, 60});
}

TEST_F(RenderTest, InventoryBarAndTheStateLeftBehind) {
    player.inventory[0] = Item::PALME;
    player.inventory[9] = Item::KOKOSNUSS;
    player.inventory[5] = 99; // no such item: nothing drawn
    player.Render();
    ExpectPixel(100, 425, {64, 64, 64}); // empty slot on the grey bar
    const Rgb bar{64, 64, 64};
    ExpectPixel(608, 440, Over(0.6, ItemColour(Item::KOKOSNUSS), bar));
    ExpectPixel(32, 440, Over(0.6, ItemColour(Item::PALME), bar));
    ExpectPixel(352, 440, {64, 64, 64});
    ExpectPixel(320, 415, {0, 0, 0}); // the bar starts at row 420
    // Whatever comes next is drawn white, opaque and unscaled.
    DrawRect(10, 10, 4, 4);
    ExpectPixel(11, 11, {255, 255, 255});
    ExpectPixel(15, 15, {0, 0, 0});
}

TEST_F(RenderTest, SelectionOverlayWithTheFirstPick) {
    player.inventory[2] = Item::KOKOSNUSS;
    player.inventory[4] = Item::TREIBHOLZ;
    player.combine1 = Item::KOKOSNUSS;
    player.combine1slot = 2;
    player.chosen = 4;
    gamestate = GS_PLAY;
    player.renderInventory();
    ExpectPixel(5, 5, {0, 0, 0}); // nothing while playing

    gamestate = GS_COMBINE;
    player.renderInventory();
    ExpectPixel(5, 5, {64, 64, 64});
    ExpectPixel(5, 230, {115, 115, 115});
    ExpectPixel(160, 240, {60, 250, 20});
    ExpectPixel(146, 240, {0, 255, 0}); // green frame around the first pick
    ExpectPixel(274, 240, {255, 255, 255});
    ExpectPixel(288, 240, {30, 250, 20});
    // "Ausgewaehlt: Kokosnuss" is 22 characters wide, starting at x 232.
    EXPECT_TRUE(AnyBrighter(232, 204, 8, 16, 150));
    EXPECT_TRUE(AnyBrighter(232 + 21 * 8, 204, 8, 16, 150));
    EXPECT_FALSE(AnyBrighter(200, 204, 30, 16, 150));
    EXPECT_FALSE(AnyBrighter(232 + 22 * 8 + 2, 204, 30, 16, 150));
    // "Treibholz" under the cursor, from the slot's left edge.
    EXPECT_TRUE(AnyBrighter(256, 260, 8, 16, 150));
    EXPECT_FALSE(AnyBrighter(226, 260, 28, 16, 150));
}

TEST_F(RenderTest, CursorCoversTheGreenFrameOnTheSameSlot) {
    player.inventory[9] = Item::KOKOSNUSS;
    player.combine1 = Item::KOKOSNUSS;
    player.combine1slot = 9;
    player.chosen = 9;
    gamestate = GS_DROP;
    player.renderInventory();
    ExpectPixel(594, 240, {255, 255, 255});
    ExpectPixel(608, 240, {60, 250, 20});
}
