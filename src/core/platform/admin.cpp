#include "core/platform/admin.h"

#include <grp.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace platform {
namespace {

[[nodiscard]] bool isAdministratorGroup(gid_t gid) {
    constexpr std::array<std::string_view, 3> kAdministratorGroups{"sudo", "wheel", "admin"};
    const group* entry = ::getgrgid(gid);
    return entry != nullptr && entry->gr_name != nullptr &&
           std::find(kAdministratorGroups.begin(), kAdministratorGroups.end(), entry->gr_name) !=
               kAdministratorGroups.end();
}

[[nodiscard]] std::vector<gid_t> groupsOfProcess() {
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(count > 0 ? static_cast<std::size_t>(count) : 0);
    if (count > 0 && ::getgroups(count, groups.data()) < 0) {
        groups.clear();
    }
    groups.push_back(::getegid());
    return groups;
}

}  // namespace

bool isNTAdmin() {
    if (::geteuid() == 0) {
        return true;
    }
    const std::vector<gid_t> groups = groupsOfProcess();
    return std::any_of(groups.begin(), groups.end(), isAdministratorGroup);
}

}  // namespace platform
