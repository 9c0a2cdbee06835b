#include "core/platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "core/platform/file_ops.h"
#include "core/platform/paths.h"

namespace platform {

InstanceLock::InstanceLock(std::string_view productFamilyFolder, std::string_view executableName) {
    if (!createPrivateFolder(productFamilyFolder)) {
        return;
    }
    const std::string lockFile = joinPath(productFamilyFolder, std::string(executableName) + ".lock");
    // close-on-exec: a program the shell starts for us must not go on holding the lock
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_fd = fd;
        return;
    }
    m_takenElsewhere = errno == EWOULDBLOCK;
    ::close(fd);
}

InstanceLock::~InstanceLock() { release(); }

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_takenElsewhere(other.m_takenElsewhere) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        release();
        m_fd = std::exchange(other.m_fd, -1);
        m_takenElsewhere = other.m_takenElsewhere;
    }
    return *this;
}

void InstanceLock::release() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

}  // namespace platform
