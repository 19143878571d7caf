#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool claimSingleInstanceLock(const std::string& busDirectory) {
    static int held = -1;
    if (held >= 0) return true;
    ::mkdir(busDirectory.c_str(), 0700);
    std::string path = busDirectory + "/dravik.lock";
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true;  // no place for a lock: do not refuse to run
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    held = fd;
    return true;
}

}  // namespace platform
