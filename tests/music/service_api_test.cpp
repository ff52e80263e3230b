// The published call semantics the game relies on: error codes, their
// per-thread scope, and what happens without (or with a second) BASS_Init.
#include <thread>

#include <gtest/gtest.h>

#include "loopback_server.h"
#include "media/bass.h"
#include "media/program.h"
#include "media/stream/native/music_test_access.h"
#include "shell/music.h"

using namespace media_internal;

TEST(MusicService, CallsWithoutInitFailWithInit) {
    EXPECT_EQ(BASS_Free(), 0);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    EXPECT_EQ(BASS_StreamCreateURL("http://127.0.0.1:1/", 0, 0, nullptr, nullptr), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    EXPECT_EQ(BASS_ChannelPlay(1, 0), 0);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    EXPECT_EQ(BASS_ChannelGetLength(1, BASS_POS_BYTE), ~QWORD{0});
    // Configuration needs no device.
    EXPECT_TRUE(BASS_SetConfig(BASS_CONFIG_NET_PLAYLIST, 1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_OK);
    EXPECT_FALSE(BASS_SetConfig(999, 1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLTYPE);
    EXPECT_FALSE(BASS_SetConfig(BASS_CONFIG_NET_PLAYLIST, 7));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
}

TEST(MusicService, InitRulesAndHandleChecks) {
    EXPECT_FALSE(BASS_Init(7, 44100, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
    EXPECT_FALSE(BASS_Init(0, 5, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FORMAT);
    ASSERT_TRUE(BASS_Init(0, 48000, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_OK);
    EXPECT_EQ(MusicOutputRate(), 48000);
    EXPECT_FALSE(BASS_Init(0, 44100, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ALREADY);

    EXPECT_EQ(BASS_ChannelSetSync(12345, BASS_SYNC_META, 0, nullptr, nullptr), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    EXPECT_EQ(BASS_ChannelGetLength(0, BASS_POS_BYTE), ~QWORD{0});
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    EXPECT_EQ(BASS_StreamCreateURL(nullptr, 0, 0, nullptr, nullptr), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);

    // Each thread sees the result of its own last call.
    int otherThread = -2;
    std::thread([&] {
        BASS_ChannelPlay(0, 0);
        otherThread = BASS_ErrorGetCode();
    }).join();
    EXPECT_EQ(otherThread, BASS_ERROR_HANDLE);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);

    EXPECT_TRUE(BASS_Free());
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_OK);
    EXPECT_FALSE(BASS_Free());
}

TEST(MusicStartup, FailuresOnlyWriteTheirLogLines) {
    LoopbackServer server([](const std::string&) {
        LoopbackReply r;
        r.head = ReplyHead("HTTP/1.1 404 Not Found", {"Content-Length: 0"});
        return r;
    });
    std::vector<std::string> lines;
    // The audio output reports its own state; only the music lines matter here.
    SetDebugSink([&](const std::string& line) {
        if (line.rfind("audio:", 0) != 0) lines.push_back(line);
    });

    // A missing stream: the handle is 0, so playing it fails with HANDLE. The
    // creation call waits for the answer here however slow the machine is.
    MusicTimeouts patient;
    patient.createWaitMs = 5000;
    SetMusicTimeouts(patient);
    StartMusic(server.Url("/gone"));
    const bool haveDevice = lines.empty() || lines[0].rfind("Can't initialize device", 0) != 0;
    if (haveDevice) {
        EXPECT_EQ(lines, std::vector<std::string>{"can't play... : 5"});
        // Started twice: the device is taken, nothing else is tried.
        lines.clear();
        StartMusic(server.Url("/gone"));
        EXPECT_EQ(lines, std::vector<std::string>{"Can't initialize device : 14"});
        EXPECT_TRUE(BASS_Free());
    } else {
        EXPECT_EQ(lines, std::vector<std::string>{"Can't initialize device : 3"});
        EXPECT_FALSE(BASS_Free()); // nothing was initialised
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    }
    SetDebugSink(nullptr);
    SetMusicTimeouts(MusicTimeouts{});
}
