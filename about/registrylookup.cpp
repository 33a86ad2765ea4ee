#include "about/registrylookup.h"

#include "about/regformat.h"

#include <array>
#include <string_view>

bool GetKeyValue(Registry &registry, Registry::Root KeyRoot, const std::string &KeyName,
                 const std::string &SubKeyRef, std::string &KeyVal)
{
    Registry::Handle hKey = 0;
    // Read access only: Windows refuses full access (KEY_ALL_ACCESS) to ordinary users, who would
    // then always be told that the tool is not there.
    if (registry.openKey(KeyRoot, KeyName, Registry::readAccess, hKey) == Registry::success) {
        std::array<char, 1024> buffer{};
        std::uint32_t size = buffer.size();
        std::uint32_t type = 0;
        if (registry.queryValue(hKey, SubKeyRef, type, buffer, size) == Registry::success) {
            // A value of no bytes has no last byte to test, so it is a run-time error like an
            // oversized one; the key is closed before the error leaves, so no handle is lost.
            if (size == 0 || size > buffer.size()) {
                registry.closeKey(hKey);
                throw RunTimeError("registry value size out of range");
            }
            std::string_view text(buffer.data(), size);
            if (text.back() == '\0')
                text.remove_suffix(1);
            if (type == Registry::typeString) {
                KeyVal = text;
            } else if (type == Registry::typeNumber) {
                const std::optional<std::string> number = formatHexLiteral(hexLiteral(text));
                if (!number) {
                    registry.closeKey(hKey);
                    throw RunTimeError("registry number too large");
                }
                KeyVal = *number;
            }
            registry.closeKey(hKey);
            return true;
        }
    } else {
        // Only a key that was opened is ours to close; the close call gets 0 otherwise.
        hKey = 0;
    }
    KeyVal.clear();
    registry.closeKey(hKey);
    return false;
}

std::optional<std::string> SysInfoPfadSuchen(Registry &registry,
                                             const std::function<bool(const std::string &)> &fileExists)
{
    std::string SysInfoPfad;
    if (GetKeyValue(registry, Registry::localMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                    SysInfoPfad))
        return SysInfoPfad;
    const std::string tool = "\\MSINFO32.EXE";
    if (GetKeyValue(registry, Registry::localMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                    SysInfoPfad)
        && fileExists(SysInfoPfad + tool))
        return SysInfoPfad + tool;
    return std::nullopt;
}
