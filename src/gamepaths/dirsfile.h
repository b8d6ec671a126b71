#pragma once

#include <QByteArray>
#include <QString>

namespace dorrick {

// The content of dirs.txt: each path followed by CR LF, in the 8-bit code page, exactly as typed.
// A path with characters the code page lacks cannot be stored: then no bytes, but the label of the
// first such path ("1.21-3:" or "TSF:") and the characters it lacks.
struct DirsFile {
    QByteArray bytes;
    QString unstorableLabel;
    QString lacking;
};

DirsFile composeDirsFile(const QString& classicPath, const QString& secretFilesPath);

// Replaces the file at path with bytes, or leaves it exactly as it was: the bytes go to a temporary
// file beside it, which is flushed to disk and renamed over it only when every step succeeded.
// The system's reason when it failed, else the empty text.
QString replaceFile(const QString& path, const QByteArray& bytes);

} // namespace dorrick
