#include "about/programlauncher.h"

#include <QDir>

#include <windows.h>

#include <string>

bool SystemLauncher::start(const QString &program)
{
    if (program.isEmpty())
        return false;
    // The path goes in as the program's own name too, so that Windows neither searches for it nor
    // cuts a path with blanks ("C:\Program Files\...") at its first blank and starts what it finds
    // there; the command line repeats it in quotes, as the program expects to read its name.
    const std::wstring path = QDir::toNativeSeparators(program).toStdWString();
    std::wstring commandLine = L"\"" + path + L"\"";
    // Shown normally and, started by the window in front, allowed to take the front itself.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        return false;
    // The game does not wait for it nor watch it.
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}
