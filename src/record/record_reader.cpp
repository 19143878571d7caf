#include "record/record_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace record {

namespace {

// A cursor over the bytes that refuses every read past their end.
class Cursor {
  public:
    explicit Cursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t left() const { return bytes_.size() - at_; }
    bool number(std::uint64_t& value, int size) {
        if (left() < static_cast<std::size_t>(size)) return false;
        value = 0;
        for (int i = 0; i < size; ++i) value |= std::uint64_t{bytes_[at_ + i]} << (8 * i);
        at_ += static_cast<std::size_t>(size);
        return true;
    }
    bool text(std::string& out, std::size_t size) {
        if (left() < size) return false;
        out.assign(bytes_.begin() + static_cast<long>(at_),
                   bytes_.begin() + static_cast<long>(at_ + size));
        at_ += size;
        return true;
    }
    bool packet(wire::GamePacket& out) {
        if (left() < out.size()) return false;
        std::copy_n(bytes_.begin() + static_cast<long>(at_), out.size(), out.begin());
        at_ += out.size();
        return true;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

bool readHeader(Cursor& in, Header& h) {
    std::uint64_t launch = 0, millionths = 0, accountSize = 0, roomSize = 0;
    if (!in.number(launch, 8) || !in.number(millionths, 4) || !in.number(accountSize, 1) ||
        !in.number(roomSize, 1))
        return false;
    h.launchTime = static_cast<std::int64_t>(launch);
    h.scale = static_cast<double>(millionths) / 1e6;
    return in.text(h.account, accountSize) && in.text(h.room, roomSize);
}

}  // namespace

std::size_t RecordFile::inboundCount() const {
    return static_cast<std::size_t>(
        std::count_if(entries.begin(), entries.end(),
                      [](const Entry& e) { return e.direction == Direction::Inbound; }));
}

RecordFile readRecord(std::span<const std::uint8_t> bytes) {
    RecordFile file;
    if (bytes.size() < sizeof kMagic ||
        !std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin()))
        return file;
    Cursor in(bytes.subspan(sizeof kMagic));
    std::uint64_t version = 0;
    if (!in.number(version, 2)) {
        file.status = ReadStatus::Truncated;
        return file;
    }
    file.version = static_cast<std::uint16_t>(version);
    if (file.version != kVersion) {
        file.status = ReadStatus::OtherVersion;
        return file;
    }
    if (!readHeader(in, file.header)) {
        file.status = ReadStatus::Truncated;
        return file;
    }
    std::uint32_t last = 0;
    while (in.left() > 0) {
        if (in.left() < kEntrySize) {
            file.status = ReadStatus::Truncated;
            return file;
        }
        Entry e;
        std::uint64_t direction = 0, ms = 0;
        in.number(direction, 1);
        in.number(ms, 4);
        in.packet(e.packet);
        if (direction > static_cast<std::uint8_t>(Direction::Outbound) || ms < last) {
            file.status = ReadStatus::Corrupt;
            return file;
        }
        e.direction = static_cast<Direction>(direction);
        e.ms = last = static_cast<std::uint32_t>(ms);
        file.entries.push_back(e);
    }
    file.status = ReadStatus::Complete;
    return file;
}

RecordFile readRecordFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return RecordFile{};
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    return readRecord(bytes);
}

std::string statusMessage(ReadStatus status) {
    switch (status) {
        case ReadStatus::Complete:
            return "";
        case ReadStatus::Truncated:
            return "录像文件不完整，回放到此结束";
        case ReadStatus::Corrupt:
            return "录像文件已损坏，回放到此结束";
        case ReadStatus::NotARecord:
            return "不是录像文件，无法回放";
        case ReadStatus::OtherVersion:
            return "录像文件的版本不同，无法回放";
    }
    return "";
}

}  // namespace record
