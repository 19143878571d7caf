// Arbitrary server packets into the dispatcher: the input is cut into 272-byte
// packets (the last one padded with zeros) and handed one after the other to a
// logged-in client on the fake platform, as the pump hands them over. No packet
// may make a handler read or write outside its arrays.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/client.h"
#include "pictures/resource_store.h"
#include "platform/fake/fake_platform.h"

namespace {

// A picture of 10 x 10 for every resource id the tables name, so that every picture
// a handler asks for is found and shown (the fake decoder reads only the header).
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
    app::Client client(fp.platform(), pictureStore());
    try {
        client.start("me$key$127.0.0.1$2000$home$");
        fp.loop.drain();
        fp.socket.accept();
        fp.loop.advance(200);
        for (std::size_t at = 0; at < size; at += wire::kPacketSize) {
            wire::GamePacket p{};
            std::memcpy(p.data(), data + at, std::min(wire::kPacketSize, size - at));
            client.dispatcher.DispatchPacket(p);
            fp.loop.advance(50);
        }
    } catch (const platform::ProcessEnd&) {
        // A refused login or a closed table ends the client: a normal outcome.
    }
    return 0;
}
