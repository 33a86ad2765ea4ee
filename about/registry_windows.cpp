#include "about/registry.h"

// Without NOMINMAX, <windows.h> defines min and max as macros and breaks std::min.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

namespace {

// The predefined roots are 32-bit values that Windows sign-extends into a pointer-sized HKEY
// (HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002 on 64-bit Windows); zero-extending would name no key.
HKEY rootKey(Registry::Root root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

HKEY openedKey(Registry::Handle key)
{
    return reinterpret_cast<HKEY>(key);
}

// The registry functions of advapi32, with 8-bit strings in the system's code page.
class WindowsRegistry final : public Registry {
public:
    long openKey(Root root, const std::string &subKey, std::uint32_t access, Handle &key) override;
    long queryValue(Handle key, const std::string &valueName, std::uint32_t &type, std::span<char> buffer,
                    std::uint32_t &size) override;
    long closeKey(Handle key) override;
};

long WindowsRegistry::openKey(Root root, const std::string &subKey, std::uint32_t access, Handle &key)
{
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(rootKey(root), subKey.c_str(), 0, static_cast<REGSAM>(access), &opened);
    key = result == ERROR_SUCCESS ? reinterpret_cast<Handle>(opened) : 0;
    return result;
}

long WindowsRegistry::queryValue(Handle key, const std::string &valueName, std::uint32_t &type,
                                 std::span<char> buffer, std::uint32_t &size)
{
    DWORD valueType = 0;
    DWORD bytes = static_cast<DWORD>(std::min<std::size_t>(size, buffer.size()));
    const LONG result = RegQueryValueExA(openedKey(key), valueName.c_str(), nullptr, &valueType,
                                         reinterpret_cast<LPBYTE>(buffer.data()), &bytes);
    type = valueType;
    size = bytes;
    return result;
}

long WindowsRegistry::closeKey(Handle key)
{
    return RegCloseKey(openedKey(key));
}

} // namespace

std::unique_ptr<Registry> systemRegistry()
{
    return std::make_unique<WindowsRegistry>();
}
