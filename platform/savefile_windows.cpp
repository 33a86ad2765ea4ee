// Saving on Windows: the way to the file is looked at name by name and held, then the new file is
// written beside the old one and moved into its place.
#include "platform/savefile.h"

#include "platform/windowserrors.h"
#include "platform/windowsnames.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>

#include <aclapi.h>
#include <cerrno>
#include <sddl.h>
#include <windows.h>

#include <memory>
#include <vector>

namespace SaveFile {

namespace {

// As many links as Windows itself follows in one name.
constexpr int mostLinks = 63;

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

Result refused(DWORD windowsError)
{
    return {Result::Kind::Refused, errnoForWindowsError(windowsError)};
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

Handle opened(HANDLE handle)
{
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// One name on the way as it stands, a link itself rather than what it leads to. Shared with
// everyone but for deleting: while it is open, nobody renames it, deletes it or puts another
// name in its place.
Handle openAsItStands(const QString &path, DWORD access, DWORD sharing)
{
    return opened(CreateFileW(wide(path), access, sharing, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// The player's account, and the accounts Windows installs its own links as (SYSTEM, the
// administrators, TrustedInstaller): junctions such as "C:\Documents and Settings" are the system's.
bool ownedByPlayerOrSystem(HANDLE link)
{
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(link, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &descriptor)
        != ERROR_SUCCESS)
        return false;
    bool trusted = IsWellKnownSid(owner, WinLocalSystemSid) || IsWellKnownSid(owner, WinBuiltinAdministratorsSid);
    PSID installer = nullptr;
    if (!trusted && ConvertStringSidToSidW(L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",
                                           &installer)) {
        trusted = EqualSid(owner, installer);
        LocalFree(installer);
    }
    HANDLE token = nullptr;
    if (!trusted && OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        DWORD size = 0;
        GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        std::vector<char> user(size);
        if (size > 0 && GetTokenInformation(token, TokenUser, user.data(), size, &size))
            trusted = EqualSid(owner, reinterpret_cast<const TOKEN_USER *>(user.data())->User.Sid);
        CloseHandle(token);
    }
    LocalFree(descriptor);
    return trusted;
}

// Where a link leads, every link on the way there followed ("\\?\D:\Spiele\..."); empty when that
// cannot be found, with the error left for GetLastError.
QString finalPath(const QString &link)
{
    const Handle target = opened(CreateFileW(wide(link), FILE_READ_ATTRIBUTES,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!target)
        return {};
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(target.get(), name.data(), DWORD(name.size()), 0);
        if (length == 0)
            return {};
        if (length < name.size())
            return QString::fromWCharArray(name.data(), length);
        name.resize(length);
    }
}

QString fullPath(const QString &path)
{
    const DWORD size = GetFullPathNameW(wide(path), 0, nullptr, nullptr);
    std::vector<wchar_t> name(size);
    const DWORD length = size ? GetFullPathNameW(wide(path), size, name.data(), nullptr) : 0;
    return length > 0 && length < size ? QString::fromWCharArray(name.data(), length) : QString();
}

// Where a save goes: the file's full path, and the folders on the way, held.
struct Place {
    QString path;
    std::vector<Handle> heldFolders;
};

// Walks the path name by name from its root. A link (a symbolic link or a junction) that the
// player or the system owns is followed: the walk begins again on where it leads, so that every
// name on the way there is looked at too. Any other link refuses the save.
Result findPlace(QString path, Place &place)
{
    for (int links = 0;;) {
        place.heldFolders.clear();
        place.path = fullPath(path);
        const qsizetype root = windowsRootLength(place.path);
        if (root == 0)
            return refused(ERROR_INVALID_NAME);
        const QStringList names = place.path.sliced(root).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
        if (names.isEmpty())
            return {Result::Kind::Refused, EISDIR};
        QString walked = place.path.first(root);
        bool restarted = false;
        for (qsizetype i = 0; i < names.size() && !restarted; ++i) {
            const bool last = i + 1 == names.size();
            walked += names[i];
            // The file itself is not held: it is to be replaced.
            Handle name = openAsItStands(walked, FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | (last ? FILE_SHARE_DELETE : 0));
            if (!name) {
                const DWORD error = GetLastError();
                return last && error == ERROR_FILE_NOT_FOUND ? Result{} : refused(error);
            }
            FILE_ATTRIBUTE_TAG_INFO kind{};
            if (!GetFileInformationByHandleEx(name.get(), FileAttributeTagInfo, &kind, sizeof kind))
                return refused(GetLastError());
            // Other reparse points (files kept in the cloud, deduplicated ones) stand for themselves.
            if ((kind.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(kind.ReparseTag)) {
                const Handle link = openAsItStands(walked, READ_CONTROL | FILE_READ_ATTRIBUTES,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
                if (!link || !ownedByPlayerOrSystem(link.get()))
                    return {Result::Kind::LinkNotFollowed};
                if (++links > mostLinks)
                    return {Result::Kind::Refused, ELOOP};
                const QString target = finalPath(walked);
                if (target.isEmpty())
                    return refused(GetLastError());
                path = (QStringList{target} + names.sliced(i + 1)).join(QLatin1Char('\\'));
                restarted = true;
            } else if (kind.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (last)
                    return {Result::Kind::Refused, EISDIR};
                place.heldFolders.push_back(std::move(name));
                walked += QLatin1Char('\\');
            } else if (!last) {
                return {Result::Kind::Refused, ENOTDIR};
            } else if (GetFileType(name.get()) != FILE_TYPE_DISK) {
                return {Result::Kind::NotARegularFile};
            }
        }
        if (!restarted)
            return {};
    }
}

// All of `bytes` into the file, and from Windows' caches onto the disk.
bool writeAll(HANDLE file, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = DWORD(std::min<qsizetype>(bytes.size() - done, 1 << 20));
        if (!WriteFile(file, bytes.constData() + done, chunk, &written, nullptr))
            return false;
        done += written;
    }
    return FlushFileBuffers(file);
}

} // namespace

Result write(const QByteArray &localPath, const QByteArray &bytes)
{
    const QString path = QDir::toNativeSeparators(QFile::decodeName(localPath));
    if (isWindowsDeviceName(path))
        return {Result::Kind::DeviceName};
    Place place;
    if (const Result found = findPlace(path, place); !found.written())
        return found;

    // A short name of its own rather than the target's name with more on it: a name that just fits
    // the folder can then still be saved. CREATE_NEW also refuses a link standing under that name.
    const QString folder = place.path.first(place.path.lastIndexOf(QLatin1Char('\\')) + 1);
    QString temporary;
    Handle file;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        temporary = folder + QStringLiteral(".brummo-") + QString::number(QRandomGenerator::global()->generate(), 36);
        file = opened(CreateFileW(wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (!file)
        return refused(GetLastError());
    DWORD error = writeAll(file.get(), bytes) ? ERROR_SUCCESS : GetLastError();
    file.reset();
    // Replacing puts the new file in the old one's place in one step, and replaces a link put under
    // the name meanwhile instead of writing through it; write-through returns once that is on disk.
    if (error == ERROR_SUCCESS
        && !MoveFileExW(wide(temporary), wide(place.path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != ERROR_SUCCESS)
        DeleteFileW(wide(temporary));
    return error == ERROR_SUCCESS ? Result{} : refused(error);
}

} // namespace SaveFile
