#include "stream_harness.h"

#include <thread>

using namespace media_internal;

using namespace std::chrono_literals;

const TestMedia& TestMedia::Get() {
    static const TestMedia media = [] {
        TestMedia m;
        m.chainedOgg = EncodeVorbis(TestSignal(44100, 2, 1.0, 1), 44100, 2,
                                    {"ARTIST=Erste Band", "TITLE=Erster Titel"}, 101) +
                       EncodeVorbis(TestSignal(44100, 2, 1.0, 2), 44100, 2,
                                    {"TITLE=Zweiter Titel", "ARTIST=Zweite Band"}, 202);
        m.chainedPcm = DecodeVorbisReference(m.chainedOgg);
        m.mp3 = EncodeMp3(TestSignal(44100, 2, 2.0, 3), 44100, 2, {"-b", "128"});
        m.mp3Pcm = DecodeMp3Reference(m.mp3);
        Bytes copies;
        for (int i = 0; i < 20; ++i)
            copies += m.mp3;
        m.longStationStartPcm = DecodeMp3Reference(copies);
        for (int i = 0; i < 50; ++i)
            m.longStation += copies;
        m.longStation = InterleaveIcy(m.longStation, 16000, {{0, "Lang"}});
        m.mp3At24k =
            EncodeMp3(TestSignal(44100, 2, 1.0, 4), 44100, 2, {"-b", "64", "--resample", "24"});
        m.mp3At24kPcm = DecodeMp3Reference(m.mp3At24k);
        return m;
    }();
    return media;
}

void TitleLog::Sync(HSYNC, DWORD channel, DWORD, void* user) {
    auto* log = static_cast<TitleLog*>(user);
    const std::string title = MusicStreamTitle(channel);
    std::lock_guard lock(log->mutex);
    log->titles.push_back(title);
}

std::vector<std::string> TitleLog::Snapshot() {
    std::lock_guard lock(mutex);
    return titles;
}

std::vector<std::string> TitleLog::WaitFor(std::size_t count, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (Snapshot().size() >= count) break;
        std::this_thread::sleep_for(5ms);
    }
    return Snapshot();
}

void StreamTest::SetUp() {
    // Encoding takes a while under sanitizers; it must not eat into the server's answers.
    TestMedia::Get();
    MusicTimeouts limits;
    limits.connectMs = 500;
    limits.openMs = 3000;
    limits.stallMs = 300;
    limits.firstBackoffMs = 50;
    limits.maxBackoffMs = 200;
    limits.maxReconnects = 3;
    // These tests want each open's outcome from the creation call itself.
    limits.createWaitMs = 5000;
    SetMusicTimeouts(limits);
    server_ = std::make_unique<LoopbackServer>(
        [this](const std::string& path) { return Route(path, server_.get()); });
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr)) << BASS_ErrorGetCode();
    BASS_SetConfig(BASS_CONFIG_NET_PLAYLIST, 1);
    BASS_SetConfig(BASS_CONFIG_NET_PREBUF, 0);
}

void StreamTest::TearDown() {
    BASS_Free();
    server_->Stop();
    SetMusicTimeouts(MusicTimeouts{});
}

HSTREAM StreamTest::Open(const std::string& address, DWORD flags) {
    return BASS_StreamCreateURL(address.c_str(), 0, flags, nullptr, nullptr);
}

std::vector<float> StreamTest::Pull(HSTREAM stream, std::size_t frames,
                                    std::chrono::milliseconds limit,
                                    std::chrono::milliseconds idle) {
    std::vector<float> out;
    const auto source = MusicStreamSource(stream);
    if (!source) return out;
    float buffer[2 * 1024];
    const auto deadline = std::chrono::steady_clock::now() + limit;
    auto lastData = std::chrono::steady_clock::now();
    while (out.size() / 2 < frames && std::chrono::steady_clock::now() < deadline &&
           std::chrono::steady_clock::now() - lastData < idle) {
        const std::size_t got =
            source->Read(buffer, std::min<std::size_t>(1024, frames - out.size() / 2));
        out.insert(out.end(), buffer, buffer + got * 2);
        if (got == 0)
            std::this_thread::sleep_for(1ms);
        else
            lastData = std::chrono::steady_clock::now();
    }
    return out;
}

LoopbackReply StreamTest::Route(const std::string& path, LoopbackServer* server) {
    const TestMedia& media = TestMedia::Get();
    const auto length = [](const Bytes& b) {
        return "Content-Length: " + std::to_string(b.size());
    };
    LoopbackReply r;
    if (path == "/chain.ogg" || path == "/Mein%20Sender.ogg") {
        r.head = ReplyHead("HTTP/1.1 200 OK",
                           {"Content-Type: application/ogg", length(media.chainedOgg)});
        r.body = media.chainedOgg;
    } else if (path == "/icy.mp3") {
        // A Shoutcast v1 station: ICY status, no length, metadata every 4096 bytes,
        // a CP1252 title with umlauts, and the same title sent twice.
        r.head = ReplyHead("ICY 200 OK", {"icy-name: Testfunk", "content-type: audio/mpeg",
                                          "icy-metaint: 4096", "icy-br: 128"});
        r.body = InterleaveIcy(media.mp3, 4096,
                               {{0, "Erster Titel"},
                                {3, "M\xFCller - Gr\xFC\xDF"
                                    "e"},
                                {4, "M\xFCller - Gr\xFC\xDF"
                                    "e"}});
    } else if (path == "/http10.mp3") {
        r.head = ReplyHead("HTTP/1.0 200 OK", {"Content-Type: audio/mpeg", "icy-metaint: 3000"});
        r.body = InterleaveIcy(media.mp3, 3000, {{1, "Guns N' Roses - Don't Cry"}});
        r.head = ReplyHead("HTTP/1.0 200 OK",
                           {"Content-Type: audio/mpeg", "icy-metaint: 3000", length(r.body)});
    } else if (path == "/long.mp3") {
        r.head = ReplyHead("ICY 200 OK", {"content-type: audio/mpeg", "icy-metaint: 16000"});
        r.body = media.longStation;
    } else if (path == "/24k.mp3") {
        r.head = ReplyHead("HTTP/1.1 200 OK", {"Content-Type: audio/mpeg", length(media.mp3At24k)});
        r.body = media.mp3At24k;
    } else if (path == "/list.pls") {
        r.body = "[playlist]\nNumberOfEntries=2\nFile1=" + server->Url("/dead") +
                 "\nFile2=" + server->Url("/chain.ogg") + "\n";
        r.head = ReplyHead("HTTP/1.1 200 OK", {"Content-Type: audio/x-scpls", length(r.body)});
    } else if (path == "/stream.ogg.xspf") {
        // As radio servers offer each mount: the list's own address first, then
        // the tracks; a local file from the net is never opened.
        r.body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<playlist xmlns=\"http://xspf.org/ns/0/\" version=\"1\">\n"
                 "  <location>" +
                 server->Url("/stream.ogg.xspf") +
                 "</location>\n"
                 "  <trackList>\n"
                 "    <track><location>file:///etc/hostname</location></track>\n"
                 "    <track><title>Testfunk</title>\n"
                 "      <location> " +
                 server->Url("/chain.ogg") +
                 " </location></track>\n"
                 "  </trackList>\n</playlist>\n";
        r.head =
            ReplyHead("HTTP/1.1 200 OK", {"Content-Type: application/xspf+xml", length(r.body)});
    } else if (path == "/list.m3u") {
        r.body = "#EXTM3U\r\n#EXTINF:-1,Testfunk\r\nhttp10.mp3\r\n";
        r.head = ReplyHead("HTTP/1.1 200 OK", {"Content-Type: audio/x-mpegurl", length(r.body)});
    } else if (path == "/redirect") {
        r.head = ReplyHead("HTTP/1.1 302 Found", {"Location: /chain.ogg", "Content-Length: 0"});
    } else if (path == "/loop") {
        r.head = ReplyHead("HTTP/1.1 302 Found", {"Location: /loop", "Content-Length: 0"});
    } else if (path == "/denied") {
        r.head = ReplyHead("HTTP/1.1 403 Forbidden", {"Content-Length: 0"});
    } else if (path == "/page.html") {
        r.body = "<!DOCTYPE html><html><body>Radio offline</body></html>";
        r.head = ReplyHead("HTTP/1.1 200 OK", {"Content-Type: text/html", length(r.body)});
    } else if (path == "/aac") {
        r.body = std::string(20000, '\x5A');
        r.head = ReplyHead("ICY 200 OK", {"content-type: audio/aacp"});
    } else if (path == "/early.mp3") {
        r.head = ReplyHead("ICY 200 OK", {"content-type: audio/mpeg"});
        r.body = media.mp3;
        r.closeAfter = media.mp3.size() / 2;
    } else if (path == "/stall-mid.mp3") {
        r.head = ReplyHead("ICY 200 OK", {"content-type: audio/mpeg"});
        r.body = media.mp3;
        r.stallAfter = media.mp3.size() / 2;
    } else if (path == "/stall-after-head") {
        r.head = ReplyHead("ICY 200 OK", {"content-type: audio/mpeg"});
        r.stallAfter = 0;
    } else if (path == "/stall-before-head") {
        r.stallBeforeHead = true;
    } else {
        r.head = ReplyHead("HTTP/1.1 404 Not Found", {"Content-Length: 0"});
    }
    return r;
}
