#include "gamepaths/dirsfile.h"

#include "gamepaths/ansitext.h"

#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace dorrick {

namespace {

// QSaveFile syncs before its rename but ignores a failed sync; a failed one must stop the rename.
bool syncToDisk([[maybe_unused]] QFileDevice& file) {
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    return true;
#endif
}

} // namespace

bool writeAll(QIODevice& file, const QByteArray& bytes) {
    return file.write(bytes) == bytes.size();
}

std::optional<QByteArray> composeDirsFile(const QString& classicPath, const QString& secretFilesPath) {
    const auto classic = toAnsi(classicPath);
    const auto secretFiles = toAnsi(secretFilesPath);
    if (!classic || !secretFiles) return std::nullopt;
    return *classic + "\r\n" + *secretFiles + "\r\n";
}

bool replaceFile(const QString& path, const QByteArray& bytes, const ByteWriter& write) {
    QSaveFile file(path);
    // Never fall back to writing the target in place: that is the cut file this guards against.
    file.setDirectWriteFallback(false);
    // Returning before commit() lets the destructor remove the temporary file.
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!write(file, bytes) || !file.flush() || !syncToDisk(file)) return false;
    return file.commit();
}

} // namespace dorrick
