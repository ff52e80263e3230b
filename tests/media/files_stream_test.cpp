#include <gtest/gtest.h>
#include <sys/stat.h>

#include "media/files.h"
#include "media/test_seams.h"
#include "support/temp_dir.h"

namespace {

using namespace std::string_literals;

class FilesStream : public testing::Test {
  protected:
    FileStreamPtr Open(const std::string& bytes) {
        auto s = OpenForReading(dir.Write("f.txt", bytes));
        EXPECT_TRUE(s);
        return s;
    }
    TempDir dir;
};

TEST_F(FilesStream, LineEndsAndCarriageReturns) {
    auto s = Open("a\r\nb");
    EXPECT_EQ(ReadLine(s), "a");
    EXPECT_EQ(Eof(s), 0);
    EXPECT_EQ(ReadLine(s), "b"); // last line without an end comes back whole
    EXPECT_EQ(Eof(s), 1);
    EXPECT_EQ(ReadLine(s), ""); // at the end: empty text, no error

    s = Open("x\r\r\ny\rz\n\n");
    EXPECT_EQ(ReadLine(s), "x");
    EXPECT_EQ(ReadLine(s), "yz"); // a lone CR inside a line is dropped too
    EXPECT_EQ(ReadLine(s), "");
    EXPECT_EQ(Eof(s), 1);
}

TEST_F(FilesStream, NulEndsALineAndHighBytesBecomeLatin1) {
    auto s = Open("ab\0cd\n"s
                  "\xE4\xF6\xFC\xDF\x80\xFF\n");
    EXPECT_EQ(ReadLine(s), "ab");
    EXPECT_EQ(ReadLine(s), "cd");
    EXPECT_EQ(ReadLine(s), "\u00e4\u00f6\u00fc\u00df\u0080\u00ff");
    EXPECT_EQ(Eof(s), 1);
}

TEST_F(FilesStream, ReadBytePastTheEndIsFatal) {
    auto s = Open("\x01\xFF");
    EXPECT_EQ(ReadByte(s), 1);
    EXPECT_EQ(ReadByte(s), 255);
    EXPECT_EQ(Eof(s), 1);
    ThrowOnProgramExit(true);
    try {
        ReadByte(s);
        ADD_FAILURE() << "no fatal error";
    } catch (const ProgramExit& e) {
        EXPECT_EQ(e.status, -1);
        EXPECT_EQ(e.message, "Error reading from stream");
    }
    ThrowOnProgramExit(false);
}

TEST_F(FilesStream, EmptyFileMissingFileFolderAndClose) {
    auto s = Open("");
    EXPECT_EQ(Eof(s), 1);
    EXPECT_EQ(ReadLine(s), "");
    EXPECT_FALSE(OpenForReading(dir.path() + "/missing.txt"));
    EXPECT_FALSE(OpenForReading(dir.path())); // a folder is not a readable file
    // A named pipe with no writer would block an open; it is refused instead.
    std::string fifo = dir.path() + "/pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(OpenForReading(fifo));

    s = Open("abc\n");
    Close(s);
    EXPECT_EQ(Eof(s), 1);
    EXPECT_EQ(ReadLine(s), "");
    Close(s); // twice is harmless
}

TEST_F(FilesStream, OverlongLineIsCutButTheNextLineSurvives) {
    std::string big(3u << 20, 'x');
    auto s = Open(big + "\nnext\n");
    std::string line = ReadLine(s);
    EXPECT_EQ(line.size(), 1u << 20);
    EXPECT_EQ(ReadLine(s), "next");
}

TEST(FilesPath, ComponentsResolveIgnoringCase) {
    TempDir dir;
    dir.Write("Data/Stream.cfg", "url\n");
    dir.Write("gfx/C64intro/Bearbeitet/x.png", "p");
    ScopedWorkingDir cwd(dir.path());

    EXPECT_EQ(ResolvePath("data/stream.cfg"), "Data/Stream.cfg");
    EXPECT_EQ(ResolvePath("Gfx\\c64INTRO\\bearbeitet/X.PNG"), "gfx/C64intro/Bearbeitet/x.png");
    EXPECT_EQ(ResolvePath("./DATA/./stream.CFG"), "Data/Stream.cfg");
    EXPECT_EQ(ResolvePath("data/nothing.cfg"), "");
    EXPECT_EQ(ResolvePath("data/stream.cfg/deeper"), "");
    EXPECT_EQ(ResolvePath(""), "");
    EXPECT_EQ(ResolvePath(dir.path() + "/DATA/stream.cfg"), dir.path() + "/Data/Stream.cfg");

    auto s = OpenForReading("DATA\\STREAM.CFG");
    ASSERT_TRUE(s);
    EXPECT_EQ(ReadLine(s), "url");
}

TEST(FilesPath, ExactNameWinsOverOtherCase) {
    TempDir dir;
    dir.Write("sfx/a.wav", "lower");
    dir.Write("Sfx/a.wav", "upper");
    ScopedWorkingDir cwd(dir.path());
    EXPECT_EQ(ResolvePath("Sfx/a.wav"), "Sfx/a.wav");
    EXPECT_EQ(ResolvePath("sfx/a.wav"), "sfx/a.wav");
    // Neither spelling exact: the choice is stable (smallest name).
    EXPECT_EQ(ResolvePath("SFX/A.WAV"), "Sfx/a.wav");
}

} // namespace
