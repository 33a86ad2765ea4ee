// Built with mingw-w64 and run under Wine: the about window's two keys go into a real registry,
// and the game's own registry code reads them back. No Qt here; Windows has no Qt of ours.
#include "about/registry.h"
#include "about/registrylookup.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

int failures = 0;

void check(bool ok, const std::string &what)
{
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    failures += ok ? 0 : 1;
}

void write(const char *key, const char *name, DWORD type, const void *data, DWORD size)
{
    check(RegSetKeyValueA(HKEY_LOCAL_MACHINE, key, name, type, data, size) == ERROR_SUCCESS,
          std::string("written: ") + name);
}

} // namespace

int main()
{
    const char *const infoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    const char *const locationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
    const std::string folder = "C:\\MSInfo";
    const std::string tool = folder + "\\MSINFO32.EXE";
    const auto fileExists = [](const std::string &path) { return std::filesystem::is_regular_file(path); };
    const DWORD version = 261;
    // The first key is there but has no PATH, so the look-up goes on to the second key's folder.
    write(infoKey, "Version", REG_DWORD, &version, sizeof version);
    write(locationKey, "MSINFO", REG_SZ, folder.c_str(), DWORD(folder.size() + 1));

    const std::unique_ptr<Registry> system = systemRegistry();
    Registry &registry = *system;
    std::string value = "vorher";
    check(GetKeyValue(registry, 0x80000002, infoKey, "Version", value) && value == "261", "DWORD 261 reads as 261");
    check(GetKeyValue(registry, 0x80000002, locationKey, "MSINFO", value) && value == folder,
          "string reads without its zero byte");
    check(!GetKeyValue(registry, 0x80000002, infoKey, "PATH", value) && value.empty(), "missing value reads as none");
    check(!SysInfoPfadSuchen(registry, fileExists), "folder without MSINFO32.EXE names no tool");
    std::filesystem::create_directories(folder);
    std::ofstream(tool).put('M');
    check(SysInfoPfadSuchen(registry, fileExists) == tool, "MSINFO32.EXE found in the folder");
    write(infoKey, "PATH", REG_SZ, "C:\\Fehlt.exe", sizeof "C:\\Fehlt.exe");
    check(SysInfoPfadSuchen(registry, fileExists) == "C:\\Fehlt.exe", "PATH taken as it stands");
    return failures == 0 ? 0 : 1;
}
