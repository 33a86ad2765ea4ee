#include "startup/systemstart.h"

#include "startup/savesfolder.h"
#include "startup/windowsbox.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QRandomGenerator>
#include <QtPlugin>

#include <algorithm>
#include <cstring>
#include <shlobj.h>
#include <windows.h>

// The program is one file, Qt's platform plugins in it: Windows' own draws the windows, and the
// offscreen one runs the game with no screen at all (-platform offscreen), as tests run it.
Q_IMPORT_PLUGIN(QWindowsIntegrationPlugin)
Q_IMPORT_PLUGIN(QOffscreenIntegrationPlugin)

namespace {

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

// A folder of the player's that Windows knows by its role, made where it is missing; empty where
// Windows has none.
QString knownFolder(REFKNOWNFOLDERID role)
{
    PWSTR path = nullptr;
    QString folder;
    if (SUCCEEDED(SHGetKnownFolderPath(role, KF_FLAG_CREATE, nullptr, &path)))
        folder = QString::fromWCharArray(path);
    CoTaskMemFree(path);
    return folder;
}

QString temporaryFolder()
{
    wchar_t path[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, path);
    QString folder = length > 0 && length <= MAX_PATH ? QString::fromWCharArray(path, length) : QString();
    while (folder.endsWith(QLatin1Char('\\')) && folder.size() > 3)
        folder.chop(1);
    return folder;
}

// Made where it is missing, and entered where the game can make files in it: a file that goes when
// it is closed tries that, as Windows' access lists give no shorter answer.
bool enterWritable(const QString &folder)
{
    if (!QDir::isAbsolutePath(folder))
        return false;
    CreateDirectoryW(wide(folder), nullptr);
    const QString probe = folder + QStringLiteral("\\.brummo-") + QString::number(QRandomGenerator::global()->generate(), 36);
    const HANDLE file = CreateFileW(wide(probe), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return SetCurrentDirectoryW(wide(folder));
}

// Comic Sans MS and MS Sans Serif come with every Windows for the desktop. Where one is missing
// (Wine, a Windows without its desktop fonts, and the offscreen platform, which knows no fonts
// of the system at all), its free stand-in from the program's resources takes its place, as
// fontconfig gives them on Linux.
void addStandInFont(const QString &family, const QString &standIn)
{
    if (!QFontDatabase::hasFamily(family))
        QFontDatabase::addApplicationFont(standIn);
}

} // namespace

void settleWorkingFolder(int argc, const char *const argv[], const PlayerTexts &texts)
{
    const auto fromMenu = [](const char *argument) { return std::strcmp(argument, "--from-menu") == 0; };
    if (!std::any_of(argv + 1, argv + argc, fromMenu))
        return;
    // A folder of the game's own, as the Start menu's shortcut is everyone's and Program Files no
    // one's to write into.
    const QString savedGames = knownFolder(FOLDERID_SavedGames);
    const QString ownFolder = savedGames.isEmpty() ? QStringLiteral("Saved Games\\Brummo on the run")
                                                   : savedGames + QStringLiteral("\\Brummo on the run");
    const QString note =
        enterSavesFolder({ownFolder, knownFolder(FOLDERID_Profile), temporaryFolder()}, enterWritable, texts);
    if (!note.isEmpty())
        showWindowsBox(note, WindowsBoxKind::Warning);
}

std::unique_ptr<QApplication> startApplication(int &argc, char **argv, const PlayerTexts &)
{
    // Text is drawn by FreeType, as on Linux: Windows' own renderer makes the lines a few per cent
    // longer than the windows were laid out for, so that the explanations break at other words, and
    // under Wine it draws the stand-in fonts thin and grey. A platform the player names
    // (-platform, QT_QPA_PLATFORM) comes first. The choice is the game's alone: the system
    // information tool it starts does not inherit it.
    const bool platformNamed = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!platformNamed)
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
    auto application = std::make_unique<QApplication>(argc, argv);
    if (!platformNamed)
        qunsetenv("QT_QPA_PLATFORM");
    addStandInFont(QStringLiteral("Comic Sans MS"), QStringLiteral(":/fonts/ComicNeue-Regular.otf"));
    addStandInFont(QStringLiteral("MS Sans Serif"), QStringLiteral(":/fonts/DejaVuSans.ttf"));
    // The boxes take the application's font: Windows names "MS Shell Dlg" at its size for them,
    // a name for MS Sans Serif that only Windows' own renderer resolves (FreeType falls back to
    // a serif face), so they ask for MS Sans Serif itself, as the about window does, or its
    // stand-in. Hinted only from top to bottom, as Linux desktops hint, so that every line keeps
    // its length: every font of the windows takes this from the application's.
    QFont font = QApplication::font();
    font.setFamily(QStringLiteral("MS Sans Serif"));
    font.setHintingPreference(QFont::PreferVerticalHinting);
    QApplication::setFont(font);
    return application;
}
