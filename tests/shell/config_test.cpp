#include <cstdio>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "shell/config.h"
#include "support/temp_dir.h"

namespace {

std::string WriteFile(const std::string& name, const std::string& content) {
    static TempDir scratch;
    return scratch.Write(name, content);
}

} // namespace

TEST(GameConfig, FlagIsACaseInsensitiveSubstringTest) {
    GameConfig c = ReadGameConfig(WriteFile("a", "Fullscreen=TRUE\nsound=TrUe\n"));
    EXPECT_TRUE(c.fullscreen);
    EXPECT_TRUE(c.sound);
    // "untrue" contains the four letters too.
    c = ReadGameConfig(WriteFile("b", "untrue\r\nfalse\r\n"));
    EXPECT_TRUE(c.fullscreen);
    EXPECT_FALSE(c.sound);
    c = ReadGameConfig(WriteFile("c", "tru e\nyes\n"));
    EXPECT_FALSE(c.fullscreen);
    EXPECT_FALSE(c.sound);
}

TEST(GameConfig, MissingLinesAndFilesAreOff) {
    GameConfig c = ReadGameConfig(WriteFile("d", "true"));
    EXPECT_TRUE(c.fullscreen);
    EXPECT_FALSE(c.sound);
    c = ReadGameConfig(WriteFile("e", ""));
    EXPECT_FALSE(c.fullscreen);
    EXPECT_FALSE(c.sound);
    c = ReadGameConfig("/nonexistent/palmut/game.cfg");
    EXPECT_FALSE(c.fullscreen);
    EXPECT_FALSE(c.sound);
    // Only the first two lines count.
    c = ReadGameConfig(WriteFile("f", "\n\ntrue\n"));
    EXPECT_FALSE(c.fullscreen);
    EXPECT_FALSE(c.sound);
}

TEST(GameConfig, ALanguageOrReplaysLineIsNoFlagLine) {
    GameConfig c = ReadGameConfig(WriteFile("l1", "language=en\nfullscreen=true\nsound=true\n"));
    EXPECT_EQ(c.language, "en");
    EXPECT_TRUE(c.fullscreen);
    EXPECT_TRUE(c.sound);
    c = ReadGameConfig(WriteFile("l2", "fullscreen=false\nsound=true\nlanguage= de_AT \r\n"));
    EXPECT_EQ(c.language, "de_AT");
    EXPECT_FALSE(c.fullscreen);
    EXPECT_TRUE(c.sound);
    EXPECT_EQ(ReadGameConfig(WriteFile("l3", "true\ntrue\n")).language, "");
    EXPECT_TRUE(c.replays);
    c = ReadGameConfig(WriteFile("r1", "replays=OFF\ntrue\ntrue\n"));
    EXPECT_FALSE(c.replays);
    EXPECT_TRUE(c.fullscreen);
    EXPECT_TRUE(c.sound);
    EXPECT_TRUE(ReadGameConfig(WriteFile("r2", "replays=on\n")).replays);
}

TEST(StreamConfig, FirstLineIsTheAddress) {
    EXPECT_EQ(ReadStreamAddress(WriteFile("g", "http://127.0.0.1:8000/radio\r\nignored\n")),
              "http://127.0.0.1:8000/radio");
    EXPECT_EQ(ReadStreamAddress(WriteFile("h", "\nhttp://not.used/\n")), "");
    EXPECT_EQ(ReadStreamAddress("/nonexistent/palmut/stream.cfg"), "");
}
