#pragma once
// Reads a table record from its bytes. Every read is bounds-checked: a file cut
// short, a damaged entry or a header of another version never reads past the
// bytes; what could be read before the damage is kept.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "record/record_format.h"

namespace record {

enum class ReadStatus {
    Complete,      // every entry read
    Truncated,     // the file ends inside the header or inside an entry
    Corrupt,       // an entry with an unknown direction or a time running backwards
    NotARecord,    // no record magic: refused
    OtherVersion,  // a record of another version: refused
};

struct RecordFile {
    ReadStatus status = ReadStatus::NotARecord;
    std::uint16_t version = 0;
    Header header;
    std::vector<Entry> entries;  // the entries read before any damage

    // A refused file has nothing to replay.
    bool refused() const {
        return status == ReadStatus::NotARecord || status == ReadStatus::OtherVersion;
    }
    std::size_t inboundCount() const;
};

RecordFile readRecord(std::span<const std::uint8_t> bytes);
// Reads the file at the path; a file that cannot be opened reads as NotARecord.
RecordFile readRecordFile(const std::string& path);

// What the replay says about how the file ended ("" for a complete one).
std::string statusMessage(ReadStatus status);

}  // namespace record
