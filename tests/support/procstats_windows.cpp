#include "tests/support/procstats.h"

#include <windows.h>

namespace procstats {

qint64 bytesRead()
{
    IO_COUNTERS counters{};
    return GetProcessIoCounters(GetCurrentProcess(), &counters) ? qint64(counters.ReadTransferCount) : -1;
}

} // namespace procstats
