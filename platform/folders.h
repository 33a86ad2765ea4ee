#pragma once

#include <QString>

// Where the program lives and where it was started.
class Folders {
public:
    virtual ~Folders() = default;
    virtual QString programFolder() const = 0;
    virtual QString workingFolder() const = 0;
};

// The folder text with a separator appended only when it does not already end in one.
QString withTrailingSeparator(const QString &folder);

// The folder of the running program as a name every file call opens, its module loader included.
// Qt names files in UTF-8; a folder whose name is not (Latin-1 "Müll" from an older system) has no
// such name, so it is held open for the object's life and named through its descriptor
// (/proc/self/fd/N), plain ASCII that leads to the same folder.
class SystemFolders final : public Folders {
public:
    SystemFolders();
    ~SystemFolders() override;
    SystemFolders(const SystemFolders &) = delete;
    SystemFolders &operator=(const SystemFolders &) = delete;

    QString programFolder() const override { return program; }
    QString workingFolder() const override;

private:
    int heldFolder = -1;
    QString program;
};
