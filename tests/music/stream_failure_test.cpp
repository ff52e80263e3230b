// Every way a station can fail must end in the right code, quickly and without
// a word on the console; and releasing the service must never wait on the net.
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "island/random.h"
#include "stream_harness.h"
#include "support/temp_dir.h"

using namespace media_internal;

using namespace std::chrono_literals;

TEST_F(StreamTest, FailuresReturnTheirCodeQuicklyAndSilently) {
    LoopbackServer closed([](const std::string&) { return LoopbackReply{}; });
    const std::string deadPort = closed.Url("/x");
    closed.Stop();
    struct Case {
        std::string address;
        int code;
    };
    const std::vector<Case> cases = {
        {server_->Url("/missing"), BASS_ERROR_FILEOPEN},
        {server_->Url("/denied"), BASS_ERROR_DENIED},
        {server_->Url("/loop"), BASS_ERROR_FILEOPEN}, // more than 5 redirects
        {server_->Url("/page.html"), BASS_ERROR_FILEFORM},
        {server_->Url("/aac"), BASS_ERROR_FILEFORM},
        {server_->Url("/stall-after-head"), BASS_ERROR_TIMEOUT},
        {server_->Url("/stall-before-head"), BASS_ERROR_TIMEOUT},
        {deadPort, BASS_ERROR_FILEOPEN},
        {"ftp://127.0.0.1/x.mp3", BASS_ERROR_PROTOCOL},
        {"   ", BASS_ERROR_ILLPARAM},
        {"/no/such/dir/music.ogg", BASS_ERROR_FILEOPEN},
    };
    for (const auto& c : cases) {
        testing::internal::CaptureStderr();
        testing::internal::CaptureStdout();
        HSTREAM stream = 1;
        const double ms = TimeMs([&] { stream = Open(c.address); });
        const int code = BASS_ErrorGetCode();
        const std::string err = testing::internal::GetCapturedStderr();
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(stream, 0u) << c.address;
        EXPECT_EQ(code, c.code) << c.address;
        EXPECT_LT(ms, 2000) << c.address; // stall limit in these tests: 300 ms
        EXPECT_EQ(err + out, "") << c.address;
    }
    EXPECT_EQ(BASS_ChannelPlay(0, 0), 0);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
}

TEST_F(StreamTest, GarbageBehindAnAudioTypeIsRejected) {
    // Declared audio/mpeg, but no MPEG frame anywhere: the decoder must give up.
    LoopbackServer liar([](const std::string&) {
        LoopbackReply r;
        r.body = std::string(300000, '\0');
        for (std::size_t i = 0; i < r.body.size(); ++i)
            r.body[i] = static_cast<char>((i * 31) % 251);
        r.head = ReplyHead("HTTP/1.1 200 OK", {"Content-Type: audio/mpeg",
                                               "Content-Length: " + std::to_string(r.body.size())});
        return r;
    });
    const double ms = TimeMs([&] { EXPECT_EQ(Open(liar.Url("/")), 0u); });
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);
    EXPECT_LT(ms, 3000);
}

TEST_F(StreamTest, EndlessBytesWithoutAFormatDoNotHoldTheCaller) {
    // Starts like Ogg, then never forms a Vorbis header, and never stops coming.
    LoopbackServer noise([](const std::string&) {
        LoopbackReply r;
        r.head = ReplyHead("HTTP/1.1 200 OK", {"Content-Type: application/ogg"});
        r.body = "OggS";
        common::SplitMix64 random(12345);
        while (r.body.size() < (8u << 20))
            r.body += static_cast<char>(random.Next() >> 56);
        return r;
    });
    MusicTimeouts limits = CurrentMusicTimeouts();
    limits.openMs = 700;
    SetMusicTimeouts(limits);
    HSTREAM stream = 1;
    const double ms = TimeMs([&] { stream = Open(noise.Url("/")); });
    EXPECT_EQ(stream, 0u);
    const int code = BASS_ErrorGetCode();
    EXPECT_TRUE(code == BASS_ERROR_FILEFORM || code == BASS_ERROR_TIMEOUT) << code;
    EXPECT_LT(ms, 2000);
}

TEST_F(StreamTest, FreeIsPromptWhileConnecting) {
    MusicTimeouts slow;
    slow.connectMs = slow.stallMs = slow.createWaitMs = 20000; // only BASS_Free can end this wait
    SetMusicTimeouts(slow);
    auto opening = std::async(std::launch::async, [&] {
        const HSTREAM stream = Open(server_->Url("/stall-before-head"));
        return std::make_pair(stream, BASS_ErrorGetCode());
    });
    std::this_thread::sleep_for(200ms);
    ASSERT_EQ(opening.wait_for(0ms), std::future_status::timeout);
    BOOL freed = 0;
    const double ms = TimeMs([&] { freed = BASS_Free(); });
    EXPECT_TRUE(freed);
    EXPECT_LT(ms, 1000); // far below the 20 s wait, with room for a loaded machine
    ASSERT_EQ(opening.wait_for(1s), std::future_status::ready);
    const auto [stream, code] = opening.get();
    EXPECT_EQ(stream, 0u);
    EXPECT_EQ(code, BASS_ERROR_INIT);
}

TEST_F(StreamTest, FreeIsPromptWhileTheStationStalls) {
    const TestMedia& media = TestMedia::Get();
    if (media.mp3.empty()) GTEST_SKIP() << "lame is not installed";
    MusicTimeouts slow;
    slow.stallMs = 20000;
    SetMusicTimeouts(slow);
    const HSTREAM stream = Open(server_->Url("/stall-mid.mp3"));
    ASSERT_NE(stream, 0u) << BASS_ErrorGetCode();
    BASS_ChannelPlay(stream, 0);
    Pull(stream, 44100 * 3, 1500ms); // everything that came, then the line goes quiet
    BOOL freed = 0;
    const double ms = TimeMs([&] { freed = BASS_Free(); });
    EXPECT_TRUE(freed);
    EXPECT_LT(ms, 1000); // far below the 20 s wait, with room for a loaded machine
    EXPECT_EQ(MusicStreamSource(stream), nullptr);
}

TEST_F(StreamTest, PlaylistsFromTheNetCannotPointIntoTheDisk) {
    const TestMedia& media = TestMedia::Get();
    TempDir scratch;
    const std::filesystem::path file = scratch.Write("palmut_music_local.ogg", media.chainedOgg);
    LoopbackServer station([&](const std::string&) {
        LoopbackReply r;
        r.body = "[playlist]\nFile1=" + file.string() + "\nFile2=file://" + file.string() + "\n";
        r.head = ReplyHead("HTTP/1.1 200 OK", {"Content-Type: audio/x-scpls"});
        return r;
    });
    EXPECT_EQ(Open(station.Url("/list.pls")), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);
    // The same list on disk is the player's own and may name local files.
    const std::string list = scratch.Write("palmut_music_local.m3u", "palmut_music_local.ogg\n");
    EXPECT_NE(Open(list), 0u) << BASS_ErrorGetCode();
}
