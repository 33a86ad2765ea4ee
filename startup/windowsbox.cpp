#include "startup/windowsbox.h"

#include <QString>

#include <windows.h>

void showWindowsBox(const QString &text, WindowsBoxKind kind)
{
    const UINT icon = kind == WindowsBoxKind::Warning ? MB_ICONWARNING : MB_ICONINFORMATION;
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(text.utf16()), L"Brummo on the run",
                MB_OK | icon | MB_SETFOREGROUND);
}
