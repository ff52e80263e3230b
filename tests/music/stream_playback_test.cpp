// Whole streams from the loopback server to the mixer input: the audio must be
// exactly what a plain decode of the same file gives, titles must arrive in
// the order they are heard, and playlists and redirects must lead to audio.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "stream_harness.h"

using namespace media_internal;

using namespace std::chrono_literals;

namespace {

std::size_t Frames(const std::vector<float>& stereo) {
    return stereo.size() / 2;
}

// Waits (bounded) until the handle is gone, as AUTOFREE makes it.
bool WaitUntilFreed(HSTREAM stream) {
    for (int i = 0; i < 400; ++i) {
        if (!BASS_ChannelPlay(stream, 0) && BASS_ErrorGetCode() == BASS_ERROR_HANDLE) return true;
        std::this_thread::sleep_for(5ms);
    }
    return false;
}

} // namespace

TEST_F(StreamTest, ChainedOggPlaysExactlyWithBothTitlesThenFreesItself) {
    const TestMedia& media = TestMedia::Get();
    ASSERT_GT(Frames(media.chainedPcm), 80000u);
    const HSTREAM stream = Open(server_->Url("/chain.ogg"));
    ASSERT_NE(stream, 0u) << BASS_ErrorGetCode();
    TitleLog log;
    ASSERT_NE(BASS_ChannelSetSync(stream, BASS_SYNC_META, 0, TitleLog::Sync, &log), 0u);
    EXPECT_EQ(BASS_ChannelGetLength(stream, BASS_POS_BYTE), ~QWORD{0});
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
    ASSERT_TRUE(BASS_ChannelPlay(stream, 0));

    const auto pcm = Pull(stream, Frames(media.chainedPcm) + 1000, 10s);
    EXPECT_EQ(Frames(pcm), Frames(media.chainedPcm)); // nothing lost, nothing extra
    EXPECT_EQ(HashFrames(pcm, Frames(pcm)), HashFrames(media.chainedPcm, Frames(media.chainedPcm)));
    EXPECT_EQ(log.WaitFor(2, 2s), (std::vector<std::string>{"Erste Band - Erster Titel",
                                                            "Zweite Band - Zweiter Titel"}));
    EXPECT_TRUE(WaitUntilFreed(stream));
}

TEST_F(StreamTest, TitlesWaitUntilTheirAudioIsPlayed) {
    const HSTREAM stream = Open(server_->Url("/chain.ogg"));
    ASSERT_NE(stream, 0u);
    TitleLog log;
    BASS_ChannelSetSync(stream, BASS_SYNC_META, 0, TitleLog::Sync, &log);
    BASS_ChannelPlay(stream, 0);
    std::this_thread::sleep_for(100ms); // decoded and buffered, but not heard
    EXPECT_TRUE(log.Snapshot().empty());
    Pull(stream, 4410);
    EXPECT_EQ(log.WaitFor(1, 2s), std::vector<std::string>{"Erste Band - Erster Titel"});
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(log.Snapshot().size(), 1u); // the second link is still ahead
}

class IcyStationTest
    : public StreamTest,
      public testing::WithParamInterface<std::pair<const char*, std::vector<std::string>>> {};

TEST_P(IcyStationTest, MetadataIsStrippedBeforeDecodingAndTitlesArriveInOrder) {
    const TestMedia& media = TestMedia::Get();
    if (media.mp3.empty()) GTEST_SKIP() << "lame is not installed";
    const auto& [path, titles] = GetParam();
    const HSTREAM stream = Open(server_->Url(path));
    ASSERT_NE(stream, 0u) << BASS_ErrorGetCode();
    EXPECT_NE(server_->LastRequestHead().find("Icy-MetaData: 1"), std::string::npos);
    TitleLog log;
    BASS_ChannelSetSync(stream, BASS_SYNC_META, 0, TitleLog::Sync, &log);
    BASS_ChannelPlay(stream, 0);
    // The decoder may hold back the very last frame of a connection.
    const std::size_t frames = Frames(media.mp3Pcm) - 2304;
    const auto pcm = Pull(stream, frames, 10s);
    ASSERT_EQ(Frames(pcm), frames);
    EXPECT_EQ(HashFrames(pcm, frames), HashFrames(media.mp3Pcm, frames));
    EXPECT_EQ(log.WaitFor(titles.size(), 2s), titles);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, IcyStationTest,
    testing::Values(
        std::make_pair("/icy.mp3",
                       std::vector<std::string>{"Erster Titel", "M\xC3\xBCller - Gr\xC3\xBC\xC3\x9F"
                                                                "e"}),
        std::make_pair("/http10.mp3", std::vector<std::string>{"Guns N' Roses - Don't Cry"})));

TEST_F(StreamTest, PlaylistsAndRedirectsLeadToTheAudio) {
    const TestMedia& media = TestMedia::Get();
    const std::size_t frames = 22050;
    // A byte order mark, stray blanks and spaces inside, as editors and web
    // pages leave them, do not matter.
    for (const std::string& address :
         {server_->Url("/list.pls"), "\xEF\xBB\xBF " + server_->Url("/redirect") + " \r",
          server_->Url("/Mein Sender.ogg"), server_->Url("/stream.ogg.xspf")}) {
        const HSTREAM stream = Open(address);
        ASSERT_NE(stream, 0u) << address << " " << BASS_ErrorGetCode();
        BASS_ChannelPlay(stream, 0);
        const auto pcm = Pull(stream, frames);
        EXPECT_EQ(HashFrames(pcm, frames), HashFrames(media.chainedPcm, frames)) << address;
    }
    EXPECT_EQ(server_->Requests("/dead"), 1); // the dead first entry was tried once, then skipped
    EXPECT_EQ(server_->Requests("/stream.ogg.xspf"), 1); // its own address is no track

    if (!media.mp3.empty()) {
        const HSTREAM stream = Open(server_->Url("/list.m3u")); // a relative entry
        ASSERT_NE(stream, 0u) << BASS_ErrorGetCode();
        BASS_ChannelPlay(stream, 0);
        const auto pcm = Pull(stream, frames);
        EXPECT_EQ(HashFrames(pcm, frames), HashFrames(media.mp3Pcm, frames));
    }

    BASS_SetConfig(BASS_CONFIG_NET_PLAYLIST, 0);
    EXPECT_EQ(Open(server_->Url("/list.pls")), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);
}

TEST_F(StreamTest, LocalFilesPlayByPathAndByFileAddress) {
    const TestMedia& media = TestMedia::Get();
    const auto dir =
        std::filesystem::temp_directory_path() /
        ("palmut music " + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    const auto file = dir / "Lied Nr.1.ogg";
    std::ofstream(file, std::ios::binary) << media.chainedOgg;
    for (const std::string& address :
         {file.string(), "file://" + dir.string() + "/Lied%20Nr.1.ogg"}) {
        const HSTREAM stream = Open(address);
        ASSERT_NE(stream, 0u) << address << " " << BASS_ErrorGetCode();
        BASS_ChannelPlay(stream, 0);
        const auto pcm = Pull(stream, Frames(media.chainedPcm) + 100);
        EXPECT_EQ(HashFrames(pcm, Frames(pcm)),
                  HashFrames(media.chainedPcm, Frames(media.chainedPcm)))
            << address;
    }
    std::filesystem::remove_all(dir);
}

TEST_F(StreamTest, LowSampleRateIsResampledToTheOutputRate) {
    const TestMedia& media = TestMedia::Get();
    if (media.mp3At24k.empty()) GTEST_SKIP() << "lame is not installed";
    const HSTREAM stream = Open(server_->Url("/24k.mp3"));
    ASSERT_NE(stream, 0u) << BASS_ErrorGetCode();
    BASS_ChannelPlay(stream, 0);
    const double expected = Frames(media.mp3At24kPcm) * 44100.0 / 24000.0;
    const auto pcm = Pull(stream, static_cast<std::size_t>(expected * 1.1), 5s);
    EXPECT_NEAR(static_cast<double>(Frames(pcm)), expected, expected * 0.01);
    double energy = 0;
    for (float s : pcm)
        energy += static_cast<double>(s) * s;
    EXPECT_GT(energy / static_cast<double>(pcm.size()), 0.01); // a tone, not silence
    EXPECT_TRUE(WaitUntilFreed(stream));
}

TEST_F(StreamTest, LiveStationThatDropsIsCalledAgain) {
    const TestMedia& media = TestMedia::Get();
    if (media.mp3.empty()) GTEST_SKIP() << "lame is not installed";
    const HSTREAM stream = Open(server_->Url("/early.mp3"));
    ASSERT_NE(stream, 0u) << BASS_ErrorGetCode();
    BASS_ChannelPlay(stream, 0);
    // Half the file arrived before the drop; that half plays unchanged.
    const std::size_t frames = 30000;
    const auto pcm = Pull(stream, frames);
    EXPECT_EQ(HashFrames(pcm, frames), HashFrames(media.mp3Pcm, frames));
    for (int i = 0; i < 200 && MusicStreamReconnects(stream) == 0; ++i) {
        Pull(stream, 4096, 10ms);
    }
    EXPECT_GE(MusicStreamReconnects(stream), 1);
    EXPECT_GE(server_->Requests("/early.mp3"), 2);
}

TEST_F(StreamTest, TheGameMixerPlaysTheStream) {
    // Device -1 feeds the media layer's mixer; SDL's dummy driver pulls it in real time.
    ASSERT_TRUE(BASS_Free());
    if (!BASS_Init(-1, 44100, 0, nullptr, nullptr)) GTEST_SKIP() << "no audio output here";
    const HSTREAM stream = Open(server_->Url("/chain.ogg"));
    ASSERT_NE(stream, 0u) << BASS_ErrorGetCode();
    TitleLog log;
    BASS_ChannelSetSync(stream, BASS_SYNC_META, 0, TitleLog::Sync, &log);
    ASSERT_TRUE(BASS_ChannelPlay(stream, 0));
    // The second title is one second of audio in: only a mixer that pulls gets there.
    EXPECT_EQ(log.WaitFor(2, 4s).size(), 2u);
    EXPECT_TRUE(WaitUntilFreed(stream));
}

TEST_F(StreamTest, AFullBufferPausesTheDownloadAndNothingIsLostOnResume) {
    const TestMedia& media = TestMedia::Get();
    if (media.mp3.empty()) GTEST_SKIP() << "lame is not installed";
    MusicTimeouts limits = CurrentMusicTimeouts();
    limits.connectMs = 5000; // the server copies 32 MB before it answers: slow under sanitizers
    SetMusicTimeouts(limits);
    const HSTREAM stream = Open(server_->Url("/long.mp3"));
    ASSERT_NE(stream, 0u) << BASS_ErrorGetCode();
    // Not played: the buffers fill up and the transfer must rest, well before
    // the 32 MB the station would send (socket buffers take about 3 MB).
    std::this_thread::sleep_for(600ms);
    const std::size_t sent = server_->BodyBytesSent("/long.mp3");
    EXPECT_LT(sent, media.longStation.size() / 4);
    // Playing drains the buffers many times over; the audio is unbroken.
    BASS_ChannelPlay(stream, 0);
    const std::size_t frames = Frames(media.longStationStartPcm) - 2304;
    ASSERT_GT(frames, 44100u * 30);
    const auto pcm = Pull(stream, frames, 20s);
    ASSERT_EQ(Frames(pcm), frames);
    EXPECT_EQ(HashFrames(pcm, frames), HashFrames(media.longStationStartPcm, frames));
    EXPECT_GT(server_->BodyBytesSent("/long.mp3"), sent);
    EXPECT_EQ(MusicStreamReconnects(stream), 0);
}

TEST_F(StreamTest, ASyncCallbackMayReleaseTheService) {
    const HSTREAM stream = Open(server_->Url("/chain.ogg"));
    ASSERT_NE(stream, 0u);
    static std::atomic<int> result{-1};
    result = -1;
    BASS_ChannelSetSync(
        stream, BASS_SYNC_META, 0, [](HSYNC, DWORD, DWORD, void*) { result = BASS_Free(); },
        nullptr);
    BASS_ChannelPlay(stream, 0);
    Pull(stream, 4410);
    for (int i = 0; i < 200 && result == -1; ++i)
        std::this_thread::sleep_for(5ms);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(BASS_ChannelPlay(stream, 0), 0);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    std::this_thread::sleep_for(50ms); // the stream's thread winds down on its own
}

TEST_F(StreamTest, ReconnectsBackOffAndGiveUpThenTheStreamEnds) {
    const TestMedia& media = TestMedia::Get();
    if (media.mp3.empty()) GTEST_SKIP() << "lame is not installed";
    std::mutex mutex;
    std::vector<std::chrono::steady_clock::time_point> requests;
    LoopbackServer station([&](const std::string&) {
        std::lock_guard lock(mutex);
        requests.push_back(std::chrono::steady_clock::now());
        LoopbackReply r;
        if (requests.size() == 1) {
            r.head = ReplyHead("ICY 200 OK", {"content-type: audio/mpeg"});
            r.body = media.mp3.substr(0, media.mp3.size() / 4);
        } else {
            r.head = ReplyHead("HTTP/1.1 503 Service Unavailable", {"Content-Length: 0"});
        }
        return r;
    });
    const HSTREAM stream = Open(station.Url("/live"));
    ASSERT_NE(stream, 0u) << BASS_ErrorGetCode();
    BASS_ChannelPlay(stream, 0);
    Pull(stream, 44100 * 10, 5s, 800ms);
    EXPECT_TRUE(WaitUntilFreed(stream)); // three failed calls (test limit), then the end
    station.Stop();
    ASSERT_EQ(requests.size(), 4u);
    using std::chrono::milliseconds;
    const auto gap = [&](std::size_t i) { return requests[i + 1] - requests[i]; };
    EXPECT_GE(gap(0), milliseconds(45));  // first pause 50 ms,
    EXPECT_GE(gap(1), milliseconds(90));  // then doubled,
    EXPECT_GE(gap(2), milliseconds(180)); // up to the 200 ms ceiling of these tests
}
