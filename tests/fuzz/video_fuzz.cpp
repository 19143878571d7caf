// Arbitrary video events into a seated client: the input is read as a stream of
// relay messages (the wire format of the video relay, cut as the component cuts
// its socket's bytes) and, message by message, as events of the video component —
// login results, peer states and frames for any entry number, peer entries bound
// to any name — with the command icons clicked in between. No event may make the
// video part index outside its slots and entries.
#include <cstdint>
#include <string>

#include "app/client.h"
#include "pictures/resource_store.h"
#include "platform/fake/fake_platform.h"
#include "wire/relay.h"

namespace {

const pictures::ResourceStore& pictureStore() {
    static const pictures::MemoryResourceStore store = [] {
        pictures::MemoryResourceStore s;
        const std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 10, 0, 10, 0};
        for (int id = 0; id < 1000; ++id) s.resources[id] = gif;
        return s;
    }();
    return store;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::FakePlatform fp;
    fp.hallWindow.open("Brenmoor");
    fp.shell.folder = "/tmp/dravik-video-fuzz";
    fp.video.startResult = 0;
    app::Client client(fp.platform(), pictureStore());
    try {
        client.start("me$key$127.0.0.1$2000$home$");
        fp.loop.drain();
        fp.video.raiseLogin(2);
        wire::RelayReader reader(4096);
        reader.feed({data, size}, [&](wire::RelayMessage& m) {
            const auto& p = m.payload;
            const int a = p.empty() ? 0 : static_cast<std::int8_t>(p[0]);
            const int b = p.size() < 2 ? 0 : p[1];
            switch (static_cast<int>(m.type) % 7) {
                case 0:
                    fp.video.raiseLogin(a);
                    break;
                case 1:
                    fp.video.raisePeerState(a, b);
                    break;
                case 2:
                    fp.video.raiseFrameReceived(a, p);
                    break;
                case 3:
                    fp.video.raiseFrameCaptured(p);
                    break;
                case 4:
                    fp.video.peerNames[a] = std::string(p.begin(), p.end());
                    fp.video.peerStates[a] = b;
                    break;
                case 5:
                    // Photos would write files: every other command.
                    if (a % 4 != 2) client.video.clickCommand(a);
                    client.video.zoomButton(a, b);
                    client.video.showAgain(a);
                    break;
                default:
                    client.video.registerVideoPeer(a, std::string(p.begin(), p.end()));
                    break;
            }
            fp.loop.advance(40);
        });
        if (size % 3 == 0) client.shell.leaveTable();
    } catch (const platform::ProcessEnd&) {
    }
    return 0;
}
