#include "about/sysinfostandins.h"

// On Windows the registry alone names the tool: where it names none, MSINFO32 is not installed,
// and the about window says that the information is not available rather than start a program
// that merely bears its name somewhere on the search path.
std::span<const char *const> systemInformationStandIns()
{
    return {};
}
