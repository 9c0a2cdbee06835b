#pragma once

// Whether the user counts as an administrator.
namespace platform {

// True for root and for members of the groups that may administer the system: sudo,
// wheel or admin.
[[nodiscard]] bool isNTAdmin();

}  // namespace platform
