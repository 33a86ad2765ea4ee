#pragma once

#include <QByteArray>
#include <QString>

// Putting new content under a file's name so that, whatever happens on the way (a full disk, a
// kill, a refusal, a link put in its way), the name holds either its earlier content or all of the
// new one, and no other file is touched.
namespace SaveFile {

// What became of a save.
struct Result {
    enum class Kind {
        Written,
        Refused,          // the system refused a step; `error` is its error number
        NotARegularFile,  // a device, pipe or socket stands under the name: it stays what it is
        LinkNotFollowed,  // the way to the file leads through a link someone else may have put there
    };
    Kind kind = Kind::Written;
    int error = 0;

    bool written() const { return kind == Kind::Written; }
};

// Writes `bytes` under `localPath` (the name's bytes as the system has them; relative to the
// working folder unless it begins with "/").
//
// Links on the way, the last name's included, are followed only where no one but the player could
// have put them: a link of the player's (or the system's, owned by root) in a folder no one else may
// write into. Any other link is refused before anything is written, and the folder the file is
// written into is held open from the check to the last step, so that a link put in place meanwhile
// is never written through.
//
// The bytes go to a new file in the same folder first, which takes the earlier file's permissions
// and is renamed over it once complete. A folder that takes no new files may still hold an earlier
// file the user may change: that one is locked, written over in place without emptying it first,
// and then cut to the new length. Killed between those steps, it holds the new content followed by
// the end of the earlier one, so content is readable only when its own end shows where it stops.
// While another save holds the lock, this one is refused at once rather than waiting for it.
Result write(const QByteArray &localPath, const QByteArray &bytes);

// The sentence for the player's error box when a save under `shownPath` was not written.
QString explanation(const Result &result, const QString &shownPath);

} // namespace SaveFile
