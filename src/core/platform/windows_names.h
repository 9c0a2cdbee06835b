#pragma once

#include <string_view>

// The names a Windows drive holds, as the store is made for one: a USB stick carries its
// links from one PC to the next, so a name is held to Windows' rule on every drive.
namespace platform {

// True when Windows refuses the name for a file or a folder: an empty name, one of dots or
// blanks only, one holding a control character or any of \ / : * ? " < > |, and the device
// names CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9 in any case, with or without an
// extension ("nul.url", "Com1.txt").
[[nodiscard]] bool windowsRefusesName(std::string_view name);

}  // namespace platform
