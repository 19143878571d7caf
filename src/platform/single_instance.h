#pragma once
// One running client per hall bus directory: an exclusive lock on a file there,
// held for the life of the process.
#include <string>

namespace platform {

// True when the lock was taken (this is the only copy); the lock stays held.
bool claimSingleInstanceLock(const std::string& busDirectory);

}  // namespace platform
