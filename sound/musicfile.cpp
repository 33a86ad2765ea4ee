#include "sound/musicfile.h"

#include "platform/regularfile.h"

#include <QFile>

std::shared_ptr<const MidiSequence> readMusicFile(const QString &path, int sampleRate)
{
    // Qt opens the file, so names with blanks and umlauts need no care.
    QFile file;
    if (!RegularFile::openForReading(file, path).isEmpty())
        return {};
    const QByteArray image = file.read(largestMusicFile + 1);
    if (image.size() > largestMusicFile)
        return {};
    MidiSequence read = MidiSequence::read(image, sampleRate);
    return read.playable() ? std::make_shared<const MidiSequence>(std::move(read)) : nullptr;
}
