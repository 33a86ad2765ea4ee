#pragma once

#include "sound/audiobackend.h"

#include <QByteArray>

#include <memory>

// Whether Windows, playing this image from memory, reads only inside it. sndPlaySound is given the
// image's address and no length, and reads as the image's header says: the RIFF header, then
// chunk by chunk (twelve bytes looked at for each) to the first "fmt " chunk, which it reads
// whole, and on from its end to the first "data" chunk, which it reads whole too. A header that
// says more than the image holds would have it read past the end, as the trimming of trailing
// blanks can leave it. The format must have channels, a rate, bytes a second and a block size,
// all of which Windows divides by or sizes its buffers with.
bool readsWithinImage(const QByteArray &image);

// A wave image ready for sndPlaySound, which reads it from where it stands while it sounds. The
// wave holds the image's bytes: Qt shares them with the game's copy, and whoever writes to a shared
// copy gets bytes of its own, so these stay unchanged in place for as long as the wave lives.
class MemoryWave final : public AudioBackend::PreparedWave {
public:
    // Nothing for an image Windows would read past its end, or whose header breaks a bound of
    // WaveShape: the game sets those bounds for every device.
    static std::shared_ptr<const MemoryWave> of(const QByteArray &image);

    const char *bytes() const { return image.constData(); }

private:
    explicit MemoryWave(const QByteArray &image) : image(image) {}

    const QByteArray image;
};
