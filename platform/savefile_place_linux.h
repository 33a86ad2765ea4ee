#pragma once

#include "platform/savefile.h"

#include <QByteArray>

#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace SaveFile {

// A file descriptor, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int descriptor = -1) : descriptor(descriptor) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    void reset(int next = -1)
    {
        if (descriptor >= 0)
            ::close(descriptor);
        descriptor = next;
    }
    int get() const { return descriptor; }
    bool isOpen() const { return descriptor >= 0; }

private:
    int descriptor;
};

// Where a save goes: the folder that holds the file, open, and the file's name in it.
struct Place {
    Descriptor folder;
    QByteArray name;
    bool hasEarlier = false;  // a regular file stands under the name
    struct stat earlier {};
};

// Finds the place of `localPath` by walking it one name at a time from "/" (or the working folder),
// following only links no one but the player could have put there. Gives `Written` when `place`
// holds the folder and the name; the name then is a regular file or none yet.
Result findPlace(const QByteArray &localPath, Place &place);

inline Result refused(int error)
{
    return {Result::Kind::Refused, error};
}

} // namespace SaveFile
