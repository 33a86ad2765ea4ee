#include "platform/savefile.h"

#include "platform/fileerrors.h"
#include "platform/regularfile.h"

#include <QCoreApplication>

namespace SaveFile {

QString explanation(const Result &result, const QString &shownPath)
{
    switch (result.kind) {
    case Result::Kind::Written:
        break;
    case Result::Kind::Refused:
        return saveErrorText(result.error, shownPath);
    case Result::Kind::NotARegularFile:
        return RegularFile::notARegularFile(shownPath);
    case Result::Kind::LinkNotFollowed:
        return QCoreApplication::translate("SaveFile",
                                           "Hier wird nicht gespeichert: Der Name führt über einen Verweis, den "
                                           "auch jemand anderes angelegt haben kann (er gehört nicht dir, oder er "
                                           "liegt in einem Ordner, in den auch andere schreiben dürfen):\n%1")
            .arg(shownPath);
    }
    return {};
}

} // namespace SaveFile
