#pragma once

// The error numbers of the C library (ENOENT, EACCES, ...) for Windows' own error codes, so that a
// failed open or save on Windows is told in the same sentences as elsewhere (platform/fileerrors.h).
int errnoForWindowsError(unsigned long windowsError);
