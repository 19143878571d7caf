// Arbitrary bytes as a table record file. Besides the sanitizers (and the standard
// library's index checks), every run checks what must hold for any file: the entries
// read fit the bytes given, their times never run backwards, a refused file has no
// entries, and a file that reads complete is exactly its header and whole entries.
// Inputs that start with the record magic and version half the time, so the reader
// gets past the header often.
#include <cstdint>
#include <vector>

#include "record/record_format.h"
#include "record/record_reader.h"

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes;
    if (size > 0 && (data[0] & 1)) {
        bytes.assign(std::begin(record::kMagic), std::end(record::kMagic));
        bytes.push_back(record::kVersion & 0xFF);
        bytes.push_back(record::kVersion >> 8);
        ++data;
        --size;
    }
    bytes.insert(bytes.end(), data, data + size);

    const record::RecordFile file = record::readRecord(bytes);
    check(file.entries.size() * record::kEntrySize <= bytes.size());
    check(!file.refused() || file.entries.empty());
    for (std::size_t i = 1; i < file.entries.size(); ++i)
        check(file.entries[i - 1].ms <= file.entries[i].ms);
    for (const record::Entry& e : file.entries)
        check(e.direction == record::Direction::Inbound ||
              e.direction == record::Direction::Outbound);
    if (file.status == record::ReadStatus::Complete) {
        const std::size_t header =
            record::kFixedHeaderSize + file.header.account.size() + file.header.room.size();
        check(header + file.entries.size() * record::kEntrySize == bytes.size());
    }
    return 0;
}
