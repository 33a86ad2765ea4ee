#include "platform/folders.h"

#include "platform/localnames.h"

#include <QCoreApplication>

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The bytes of the running program's folder, ending in a separator, as the system names it; empty
// where /proc is not mounted.
QByteArray programFolderBytes()
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || length == ssize_t(sizeof path))
        return {};
    const QByteArray program(path, length);
    return program.left(program.lastIndexOf('/') + 1);
}

// The bytes of the folder the program runs in; "." where the system no longer names it.
QByteArray workingFolderBytes()
{
    char *const name = ::getcwd(nullptr, 0);  // as long as the name is
    const QByteArray folder = name ? QByteArray(name) : QByteArrayLiteral(".");
    std::free(name);
    return folder;
}

} // namespace

SystemFolders::SystemFolders() : localWorking(workingFolderBytes()), working(readableName(localWorking))
{
    const QByteArray folder = programFolderBytes();
    if (folder.isEmpty()) {
        program = QCoreApplication::applicationDirPath();
        return;
    }
    program = QFile::decodeName(folder);
    if (QFile::encodeName(program) == folder)
        return;
    // O_PATH opens the folder only as a place to name; it needs no read right on it.
    heldFolder = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (heldFolder >= 0)
        program = QStringLiteral("/proc/self/fd/%1/").arg(heldFolder);
}

SystemFolders::~SystemFolders()
{
    if (heldFolder >= 0)
        ::close(heldFolder);
}
