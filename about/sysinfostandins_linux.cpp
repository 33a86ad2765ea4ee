#include "about/sysinfostandins.h"

#include <array>

// Linux has no MSINFO32 and no registry that names it. These programs give the same kind of
// overview of the machine; the first one is closest to MSINFO32 (a report of hardware and system),
// the desktops' own information centres follow.
std::span<const char *const> systemInformationStandIns()
{
    static constexpr std::array<const char *, 3> programs{"hardinfo", "kinfocenter", "gnome-system-monitor"};
    return programs;
}
