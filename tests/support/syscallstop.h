#pragma once

#include <QList>

// Stopping a save at one of its system calls, in a child process of the test, to see what a kill
// at that step leaves. Catches saves whose steps are safe only when nothing comes between them.

// Ends this process with SIGSYS as it enters any of these calls (by number) on a file of its own:
// a first argument above 2, so that the standard output and error still work (a test's own
// messages, a sanitizer's report). False where the system lets no process filter its calls.
bool killOnEntering(const QList<int> &calls);
