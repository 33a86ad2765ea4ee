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

class SystemFolders final : public Folders {
public:
    QString programFolder() const override;
    QString workingFolder() const override;
};
