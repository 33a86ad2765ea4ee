/* Stands in for the system-information tool in check-game-wine.sh: writes the command line it was
 * started with into a file beside itself, named like itself with .txt, and ends. The check reads
 * that file to see that the about window started this program and no other, quoted so that a
 * path with blanks stays one. Built as a windowed program (-mwindows), as the real tool is: Wine
 * would give a console program a console that takes the focus from the about window. */
#include <windows.h>

int main(void)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length < 4 || length >= MAX_PATH)
        return 2;
    lstrcpyA(path + length - 4, ".txt");
    const HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const char *commandLine = GetCommandLineA();
    DWORD written = 0;
    const BOOL wrote = WriteFile(file, commandLine, (DWORD)lstrlenA(commandLine), &written, NULL);
    CloseHandle(file);
    return wrote ? 0 : 1;
}
