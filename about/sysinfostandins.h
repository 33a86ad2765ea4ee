#pragma once

#include <span>

// The programs the about window starts, the first found on the search path, where the registry
// names no system-information tool (sysinfostandins_linux.cpp, sysinfostandins_windows.cpp).
std::span<const char *const> systemInformationStandIns();
