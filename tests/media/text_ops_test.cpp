#include <gtest/gtest.h>

#include "media/text_ops.h"

namespace {

// Every layer and tool leans on these; the edges are where a copy used to differ.
TEST(TextOps, EdgesOfCaseTrimDecodingAndNames) {
    // Bytes of UTF-8 sequences are no letters, whatever the locale says.
    EXPECT_EQ(LowerAscii("KARTE_\xC3\x9C.PNG"), "karte_\xC3\x9C.png");
    EXPECT_FALSE(EqualsNoCase("\xC3\x9C", "\xC3\xBC"));

    EXPECT_TRUE(EqualsNoCase("Karten.MAP", "karten.map"));
    EXPECT_TRUE(StartsWithNoCase("HTTPS://x", "https:"));
    EXPECT_FALSE(StartsWithNoCase("http", "https:"));
    EXPECT_TRUE(EndsWithNoCase("insel.PNG", ".png"));
    EXPECT_FALSE(EndsWithNoCase("png", ".png"));

    EXPECT_EQ(Trim("\r\n \tx y\t \r\n"), "x y");
    EXPECT_EQ(Trim(" \t "), "");

    EXPECT_EQ(PercentDecode("a%20b%C3%bc"), "a b\xC3\xBC");
    EXPECT_EQ(PercentDecode("%4"), "%4");
    EXPECT_EQ(PercentDecode("%41%4g%"), "A%4g%");

    EXPECT_EQ(FileName("maps/Insel.map"), "Insel.map");
    EXPECT_EQ(FileName("C:\\Karten\\Insel.map"), "Insel.map");
    EXPECT_EQ(FileName("Insel.map"), "Insel.map");
    EXPECT_EQ(FileName("maps/"), "");
}

} // namespace
