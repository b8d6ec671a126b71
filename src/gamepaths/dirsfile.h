#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>
#include <optional>

namespace dorrick {

// Puts bytes into an open file; false when they did not all go in.
using ByteWriter = std::function<bool(QIODevice& file, const QByteArray& bytes)>;

bool writeAll(QIODevice& file, const QByteArray& bytes);

// The content of dirs.txt: each path followed by CR LF, in the 8-bit code page, exactly as typed.
std::optional<QByteArray> composeDirsFile(const QString& classicPath, const QString& secretFilesPath);

// Replaces the file at path with bytes, or leaves it exactly as it was: the bytes go to a temporary
// file beside it, which is flushed to disk and renamed over it only when every step succeeded.
bool replaceFile(const QString& path, const QByteArray& bytes, const ByteWriter& write);

} // namespace dorrick
