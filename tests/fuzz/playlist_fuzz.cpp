// Playlists of every kind and the content sniffing in front of them.
// Pieces: content type, address, body.
#include "fuzz_support.h"
#include "media/stream/native/music_content.h"

using namespace media_internal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto pieces = fuzz::Pieces(data, size, 3);
    const std::string& type = pieces[0];
    const std::string& address = pieces[1];
    const std::string& body = pieces[2];
    DetectMusicContent(type, reinterpret_cast<const std::uint8_t*>(body.data()), body.size());
    PlaylistKindFromName(address);
    for (const MusicContent kind : {MusicContent::Pls, MusicContent::M3u, MusicContent::Asx,
                                    MusicContent::Wpl, MusicContent::Hls}) {
        const auto entries = ParsePlaylist(kind, body, address, 16);
        fuzz::Check(entries.size() <= 16, "entry limit kept");
        for (const auto& entry : entries)
            fuzz::Check(!entry.empty(), "no empty entries");
    }
    ResolveAddress(address, body.substr(0, 256));
    return 0;
}
