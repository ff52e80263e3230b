// Metadata framing, title text and playlist reading: the parts that decide
// whether the right bytes reach the decoder and the right address is tried.
#include <gtest/gtest.h>

#include "audio_fixtures.h"
#include "media/stream/native/music_content.h"
#include "media/stream/native/music_icy.h"

using namespace media_internal;

namespace {

std::vector<std::uint8_t> AsBytes(const std::string& s) {
    return {s.begin(), s.end()};
}

MusicContent Detect(const std::string& type, const std::string& body) {
    return DetectMusicContent(type, reinterpret_cast<const std::uint8_t*>(body.data()),
                              body.size());
}

} // namespace

TEST(IcyDeinterleaver, SplitsAudioAndMetadataWhateverTheChunking) {
    std::string audio;
    for (int i = 0; i < 5000; ++i)
        audio += static_cast<char>(i * 7);
    const Bytes body = InterleaveIcy(audio, 1000, {{0, "Eins"}, {2, "Zwei"}});
    for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{999}, body.size()}) {
        IcyDeinterleaver icy(1000);
        std::vector<std::uint8_t> out;
        std::vector<IcyDeinterleaver::Block> blocks;
        for (std::size_t at = 0; at < body.size(); at += chunk) {
            const std::size_t n = std::min(chunk, body.size() - at);
            icy.Feed(reinterpret_cast<const std::uint8_t*>(body.data()) + at, n, out, blocks);
        }
        EXPECT_EQ(out, AsBytes(audio)) << "chunk " << chunk;
        ASSERT_EQ(blocks.size(), 2u) << "chunk " << chunk; // empty blocks carry nothing
        EXPECT_EQ(blocks[0].audioOffset, 1000u);
        EXPECT_EQ(blocks[0].text, "StreamTitle='Eins';StreamUrl='';");
        EXPECT_EQ(blocks[1].audioOffset, 3000u);
    }
}

TEST(IcyDeinterleaver, WithoutIntervalEverythingIsAudio) {
    IcyDeinterleaver icy(0);
    std::vector<std::uint8_t> out;
    std::vector<IcyDeinterleaver::Block> blocks;
    const std::string data = "StreamTitle='x';\x02\x03";
    icy.Feed(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), out, blocks);
    EXPECT_EQ(out, AsBytes(data));
    EXPECT_TRUE(blocks.empty());
}

TEST(IcyHeader, MetaintParsing) {
    EXPECT_EQ(ParseIcyMetaint(" 16000\r\n"), 16000u);
    EXPECT_EQ(ParseIcyMetaint("abc"), 0u);
    EXPECT_EQ(ParseIcyMetaint("-5"), 0u);
    EXPECT_EQ(ParseIcyMetaint("99999999999999999999"), 0u);
}

TEST(StreamTitle, QuotesInsideTitlesAndMissingEnds) {
    std::string title;
    ASSERT_TRUE(ParseStreamTitle("StreamTitle='Guns N' Roses - Don't Cry';StreamUrl='';", title));
    EXPECT_EQ(title, "Guns N' Roses - Don't Cry");
    ASSERT_TRUE(ParseStreamTitle("StreamTitle='Truncated", title));
    EXPECT_EQ(title, "Truncated");
    ASSERT_TRUE(ParseStreamTitle("StreamTitle='';", title));
    EXPECT_EQ(title, "");
    EXPECT_FALSE(ParseStreamTitle("StreamUrl='http://x';", title));
}

TEST(StreamTitle, Cp1252BecomesUtf8AndUtf8Stays) {
    std::string title;
    ASSERT_TRUE(ParseStreamTitle("StreamTitle='M\xFCller - Gr\xFC\xDF\x65 \x80';", title));
    EXPECT_EQ(title, "M\xC3\xBCller - Gr\xC3\xBC\xC3\x9F"
                     "e \xE2\x82\xAC");
    ASSERT_TRUE(ParseStreamTitle("StreamTitle='K\xC3\xA4se';", title));
    EXPECT_EQ(title, "K\xC3\xA4se");
    // A lone lead byte at the end is not UTF-8.
    EXPECT_EQ(MetadataToUtf8("a\xC3"), "a\xC3\x83");
}

TEST(ContentDetection, SignaturesHeadersAndImpostors) {
    // The NUL and what follows belong to the body: the whole six bytes.
    EXPECT_EQ(Detect("text/plain", std::string("OggS\0\x02", 6)), MusicContent::Ogg);
    EXPECT_EQ(Detect("application/octet-stream", "ID3\x04"), MusicContent::Mp3);
    EXPECT_EQ(Detect("audio/mpeg", "garbage"), MusicContent::Mp3);
    EXPECT_EQ(Detect("audio/aacp", "\xFF\xF1"), MusicContent::OtherAudio);
    EXPECT_EQ(Detect("audio/mpeg", "<!DOCTYPE html><html>"), MusicContent::Html);
    EXPECT_EQ(Detect("text/html; charset=utf-8", "<p>hi"), MusicContent::Html);
    EXPECT_EQ(Detect("", "\xEF\xBB\xBF[Playlist]\nFile1=http://a"), MusicContent::Pls);
    EXPECT_EQ(Detect("audio/x-mpegurl", "#EXTM3U\n#EXT-X-TARGETDURATION:10\n"), MusicContent::Hls);
    EXPECT_EQ(Detect("audio/x-mpegurl", "http://a/b\n"), MusicContent::M3u);
    EXPECT_EQ(Detect("text/plain", "https://radio.example/live\r\n"), MusicContent::M3u);
    EXPECT_EQ(Detect("", "<ASX version=\"3.0\">"), MusicContent::Asx);
    EXPECT_EQ(Detect("", "<?wpl version=\"1.0\"?>"), MusicContent::Wpl);
    EXPECT_EQ(Detect("text/xml", "<?xml version=\"1.0\"?>\n<playlist version=\"1\">"),
              MusicContent::Xspf);
    EXPECT_EQ(Detect("application/xspf+xml", "\n<?xml?>"), MusicContent::Xspf);
    EXPECT_EQ(Detect("", "<?xml version=\"1.0\"?><rss>"), MusicContent::Unknown);
    EXPECT_EQ(PlaylistKindFromName("http://h/stream.ogg.xspf"), MusicContent::Xspf);
    EXPECT_EQ(Detect("", "just some text"), MusicContent::Unknown);
    EXPECT_EQ(PlaylistKindFromName("/home/me/Radio.M3U"), MusicContent::M3u);
    EXPECT_EQ(PlaylistKindFromName("http://h/x.pls?session=a.mp3"), MusicContent::Pls);
    EXPECT_EQ(PlaylistKindFromName("http://h.m3u/stream"), MusicContent::Unknown);
}

TEST(Playlists, EntriesInOrderAndResolved) {
    const std::string pls = "[playlist]\r\nNumberOfEntries=3\r\nfile2=http://b/2\r\n"
                            "Title1=x\r\nFILE1=http://a/1\r\nFile3 = rel/3.mp3\r\n";
    EXPECT_EQ(
        ParsePlaylist(MusicContent::Pls, pls, "http://h:8000/dir/list.pls"),
        (std::vector<std::string>{"http://a/1", "http://b/2", "http://h:8000/dir/rel/3.mp3"}));

    const std::string m3u = "\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:-1,Radio\r\n/abs/x.mp3\r\n\r\n"
                            "y.ogg\r\nhttp://other/z;\r\n";
    EXPECT_EQ(
        ParsePlaylist(MusicContent::M3u, m3u, "https://h/a/b.m3u?x=1"),
        (std::vector<std::string>{"https://h/abs/x.mp3", "https://h/a/y.ogg", "http://other/z;"}));

    const std::string asx = "<asx version=\"3.0\"><entry><REF HREF=\"http://a/1?x=1&amp;y=2\"/>"
                            "</entry><entry><ref href='http://a/2' /></entry></asx>";
    EXPECT_EQ(ParsePlaylist(MusicContent::Asx, asx, "http://h/"),
              (std::vector<std::string>{"http://a/1?x=1&y=2", "http://a/2"}));

    const std::string wpl = "<?wpl version=\"1.0\"?><smil><body><seq><media src=\"song.mp3\"/>"
                            "</seq></body></smil>";
    EXPECT_EQ(ParsePlaylist(MusicContent::Wpl, wpl, "/home/me/music/list.wpl"),
              (std::vector<std::string>{"/home/me/music/song.mp3"}));

    // Only the tracks' locations; <location/> and the list's own one are none.
    const std::string xspf = "<playlist><location>http://h/self.xspf</location><trackList>"
                             "<track><LOCATION>\n http://a/1?x=1&amp;y=2 </LOCATION>"
                             "<location>b.ogg</location></track><track><location/></track>"
                             "<track><title>x</title><location>http://a/3</location></track>"
                             "</trackList></playlist>";
    EXPECT_EQ(ParsePlaylist(MusicContent::Xspf, xspf, "http://h/dir/list.xspf"),
              (std::vector<std::string>{"http://a/1?x=1&y=2", "http://h/dir/b.ogg", "http://a/3"}));
}

TEST(Playlists, HostileListsStayBounded) {
    std::string m3u;
    for (int i = 0; i < 1000; ++i)
        m3u += "http://a/" + std::to_string(i) + "\n";
    EXPECT_EQ(ParsePlaylist(MusicContent::M3u, m3u, "http://h/", 64).size(), 64u);
    // Unterminated tags and huge file numbers must not read past the end.
    EXPECT_TRUE(ParsePlaylist(MusicContent::Asx, "<asx><ref href=\"http://a", "http://h/").empty());
    EXPECT_TRUE(
        ParsePlaylist(MusicContent::Xspf, "<track><location>http://a", "http://h/").empty());
    EXPECT_EQ(ParsePlaylist(MusicContent::Pls, "[playlist]\nFile99999999999999999999=http://a\n",
                            "http://h/")
                  .size(),
              1u);
}
