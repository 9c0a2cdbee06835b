#pragma once

#include <string>
#include <string_view>

// The previous-instance test: a running program holds an exclusive lock on a file named
// after its executable in the product-family folder; a second start finds it taken.
namespace platform {

class InstanceLock final {
public:
    // Tries to take the lock on <folder>/<executable name>.lock, making the folder (only
    // its owner may enter it) when missing. Never waits.
    InstanceLock(std::string_view productFamilyFolder, std::string_view executableName);
    ~InstanceLock();
    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True while this object holds the lock; it is let go when the object goes.
    [[nodiscard]] bool held() const { return m_fd >= 0; }
    // True when another running instance holds the lock. A lock that cannot be tried at
    // all (no folder, no file) does not count as another instance.
    [[nodiscard]] bool anotherInstanceRuns() const { return m_takenElsewhere; }

private:
    void release();

    int m_fd = -1;
    bool m_takenElsewhere = false;
};

}  // namespace platform
