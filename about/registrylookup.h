#pragma once

#include "about/registry.h"

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

// The about window's registry reading, free of Qt so that the same code runs in a Windows test.
// Texts are 8-bit strings in the system's code page, as the registry hands them out.

// A run-time error inside the about window's routines; StartSysInfo turns it into its message.
struct RunTimeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads one registry value as text; true when it was read. A string comes without its
// terminating zero byte, a number as its decimal digits, any other type leaves KeyVal as it was.
// A value of no bytes, or a number too large for 32 bits, throws RunTimeError.
bool GetKeyValue(Registry &registry, Registry::Root KeyRoot, const std::string &KeyName,
                 const std::string &SubKeyRef, std::string &KeyVal);

// StartSysInfo's look-up: the system-information tool the registry names, either the path of
// the first key as it stands or MSINFO32.EXE in the folder of the second key when fileExists
// finds it there. Nothing when the registry names no tool.
std::optional<std::string> SysInfoPfadSuchen(Registry &registry,
                                             const std::function<bool(const std::string &)> &fileExists);
