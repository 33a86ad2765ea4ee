#include "sound/midifilecache.h"

#include "platform/regularfile.h"

#include <QFile>

#include <sys/stat.h>
#include <time.h>

namespace {

// Longer than any step of the file system's clock, short enough that a file copied into place
// just before the game starts is trusted from its second play on.
constexpr long long settledSeconds = 2;

bool settled(const struct stat &status)
{
    struct timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec - status.st_mtim.tv_sec > settledSeconds;
}

} // namespace

MidiFileCache::MidiFileCache(int sampleRate) : sampleRate(sampleRate)
{
}

std::shared_ptr<const MidiSequence> MidiFileCache::sequence(const QString &path)
{
    QFile file;
    struct stat status {};
    if (!RegularFile::openForReading(file, path).isEmpty() || ::fstat(file.handle(), &status) != 0) {
        keptIdentity.reset();
        kept.reset();
        return {};
    }
    const Identity identity{status.st_dev, status.st_ino, status.st_size, status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
    if (keptIdentity == identity)
        return kept;

    // Qt opens the file, so names with blanks and umlauts need no care.
    const QByteArray image = file.read(largestFile + 1);
    MidiSequence read;
    if (image.size() <= largestFile)
        read = MidiSequence::read(image, sampleRate);
    kept = read.playable() ? std::make_shared<const MidiSequence>(std::move(read)) : nullptr;
    keptIdentity = settled(status) ? std::optional(identity) : std::nullopt;
    return kept;
}
