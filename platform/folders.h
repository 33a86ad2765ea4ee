#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

// Where the program lives and where it was started.
class Folders {
public:
    virtual ~Folders() = default;
    virtual QString programFolder() const = 0;
    // The working folder as the player reads its name ...
    virtual QString workingFolder() const = 0;
    // ... and as the system names it. Only these bytes lead to a folder whose name is not UTF-8;
    // any other name Qt reads gives them back unchanged.
    virtual QByteArray localWorkingFolder() const { return QFile::encodeName(workingFolder()); }
};

// The folders of this process as the system names them (folders_linux.cpp, folders_windows.cpp),
// both taken as it starts.
std::unique_ptr<Folders> systemFolders();
