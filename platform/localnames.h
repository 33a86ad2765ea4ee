#pragma once

#include <QByteArray>
#include <QString>

// The folder text with a separator appended only when it does not already end in one.
QString withTrailingSeparator(const QString &folder);
QByteArray withTrailingSeparator(const QByteArray &localFolder);

// A name as the system has it, as the player reads it: UTF-8, or Latin-1 where the bytes are no
// UTF-8, as names from older systems often are.
QString readableName(const QByteArray &local);
