#include "platform/folders.h"

#include <QCoreApplication>

#include <windows.h>

#include <vector>

namespace {

// The program's own file name as Windows has it, however long, or empty.
QString programFile()
{
    // The size a longest path can have; GetModuleFileNameW cuts a name that does not fit.
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length == 0)
            return {};
        if (length < name.size())
            return QString::fromWCharArray(name.data(), length);
        if (name.size() >= 32768)
            return {};
        name.resize(name.size() * 2);
    }
}

// The folder the program runs in, as Windows has it ("C:\" for a drive's top, else no "\" at the end).
QString currentFolder()
{
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::vector<wchar_t> name(size);
    const DWORD length = size ? GetCurrentDirectoryW(size, name.data()) : 0;
    return length > 0 && length < size ? QString::fromWCharArray(name.data(), length) : QStringLiteral(".");
}

class WindowsFolders final : public Folders {
public:
    WindowsFolders() : working(currentFolder())
    {
        // With its "\" at the end, as Windows names the program's folder.
        const QString file = programFile();
        const qsizetype end = file.lastIndexOf(QLatin1Char('\\'));
        program = end >= 0 ? file.left(end + 1) : QCoreApplication::applicationDirPath();
    }

    QString programFolder() const override { return program; }
    QString workingFolder() const override { return working; }

private:
    QString program;
    // Taken at the start, as the game never changes it.
    QString working;
};

} // namespace

std::unique_ptr<Folders> systemFolders()
{
    return std::make_unique<WindowsFolders>();
}
