#pragma once
// The records folder: one file per table, named by the table's local date and
// time and its room, so that the names sort from the oldest table to the newest.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace record {

// The folder's name in the program folder.
inline constexpr const char* kFolderName = "records";
// How many tables the folder keeps.
inline constexpr std::size_t kKeptTables = 100;

// "20261211-213005-room.drec": the local time of the launch and the room, with the
// characters a file name cannot hold replaced.
std::string recordFileName(std::int64_t launchTime, const std::string& room);

// The record files of the folder (full paths), oldest first; none when the folder
// cannot be read.
std::vector<std::string> listRecords(const std::string& folder);

// Removes the oldest record files until no more than `keep` are left. False when a
// file could not be removed.
bool keepNewest(const std::string& folder, std::size_t keep = kKeptTables);

}  // namespace record
