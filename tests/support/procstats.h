#pragma once

#include <QtGlobal>

// What the system counts for this process; -1 where it does not tell.
namespace procstats {

// Resident memory in bytes; only the Linux tests that measure it have it.
qint64 residentBytes();

// Bytes read so far through read() and its kin, by every thread.
qint64 bytesRead();

// AddressSanitizer keeps freed memory in quarantine and maps its own shadow, so resident memory
// says nothing about the program there; LeakSanitizer checks for leaks instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool underAddressSanitizer = true;
#elif defined(__has_feature)   // clang's word for it
constexpr bool underAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool underAddressSanitizer = false;
#endif

} // namespace procstats
