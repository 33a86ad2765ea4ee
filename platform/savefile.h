#pragma once

#include <QByteArray>
#include <QString>

// Putting new content under a file's name so that, whatever happens on the way (a full disk, a
// kill, a refusal), the name holds either its earlier content or all of the new one.
namespace SaveFile {

// Writes `bytes` under `path` (a link is followed, and its target written). Gives 0 when they are
// there, otherwise the system's error number of the step that failed; the earlier content is then
// left as it was.
//
// The bytes go to a new file in the same folder first, which takes the earlier file's permissions
// and is renamed over it once complete. A folder that takes no new files may still hold an earlier
// file the user may change: that one is written over in place, without emptying it first, and then
// cut to the new length. Killed between those steps, it holds the new content followed by the end
// of the earlier one, so content is readable only when its own end shows where it stops.
int write(const QString &path, const QByteArray &bytes);

} // namespace SaveFile
