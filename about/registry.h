#pragma once

#include <cstdint>
#include <span>
#include <string>

// The three registry calls the about window needs, shaped like the Windows functions they wrap
// (result code 0 on success, out parameters), so that tests can stand in for the registry.
// Names are 8-bit strings in the system's code page, as the functions of advapi32 take them;
// no Qt here, so that the Windows side also builds and runs in a test without Qt.
class Registry {
public:
    using Root = std::uint32_t;        // the predefined roots are 32-bit constants
    using Handle = std::uintptr_t;     // an opened key; 0 is no key

    static constexpr Root localMachine = 0x80000002;     // HKEY_LOCAL_MACHINE

    static constexpr long success = 0;                   // ERROR_SUCCESS
    static constexpr long fileNotFound = 2;              // ERROR_FILE_NOT_FOUND
    static constexpr long accessDenied = 5;              // ERROR_ACCESS_DENIED
    static constexpr long invalidHandle = 6;             // ERROR_INVALID_HANDLE
    static constexpr long moreData = 234;                // ERROR_MORE_DATA

    static constexpr std::uint32_t readAccess = 0x20019; // KEY_READ

    static constexpr std::uint32_t typeString = 1;       // REG_SZ
    static constexpr std::uint32_t typeNumber = 4;       // REG_DWORD

    virtual ~Registry() = default;

    // Opens subKey below root; key receives the opened key.
    virtual long openKey(Root root, const std::string &subKey, std::uint32_t access, Handle &key) = 0;

    // Reads one value into buffer. size goes in as the buffer's size and comes out as the
    // number of bytes stored (a string's terminating zero byte included).
    virtual long queryValue(Handle key, const std::string &valueName, std::uint32_t &type,
                            std::span<char> buffer, std::uint32_t &size) = 0;

    virtual long closeKey(Handle key) = 0;
};

// Where there is no registry, every key is missing.
class NoRegistry final : public Registry {
public:
    long openKey(Root, const std::string &, std::uint32_t, Handle &key) override
    {
        key = 0;
        return fileNotFound;
    }
    long queryValue(Handle, const std::string &, std::uint32_t &, std::span<char>, std::uint32_t &) override
    {
        return invalidHandle;
    }
    long closeKey(Handle) override { return invalidHandle; }
};

#ifdef _WIN32
// The registry functions of advapi32, with 8-bit strings in the system's code page.
class WindowsRegistry final : public Registry {
public:
    long openKey(Root root, const std::string &subKey, std::uint32_t access, Handle &key) override;
    long queryValue(Handle key, const std::string &valueName, std::uint32_t &type,
                    std::span<char> buffer, std::uint32_t &size) override;
    long closeKey(Handle key) override;
};
using SystemRegistry = WindowsRegistry;
#else
using SystemRegistry = NoRegistry;
#endif
