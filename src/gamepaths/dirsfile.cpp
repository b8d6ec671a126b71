#include "gamepaths/dirsfile.h"

#include "common/ansitext.h"

#include <QSaveFile>
#include <cerrno>

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

DirsFile composeDirsFile(const QString& classicPath, const QString& secretFilesPath) {
    const auto classic = velberd::toAnsi(classicPath);
    const auto secretFiles = velberd::toAnsi(secretFilesPath);
    if (!classic.lacking.isEmpty()) return {{}, QStringLiteral("1.21-3:"), classic.lacking};
    if (!secretFiles.lacking.isEmpty()) return {{}, QStringLiteral("TSF:"), secretFiles.lacking};
    return {classic.bytes + "\r\n" + secretFiles.bytes + "\r\n", {}, {}};
}

QString replaceFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Never fall back to writing the target in place: that is the cut file this guards against.
    file.setDirectWriteFallback(false);
    // Returning before commit() lets the destructor remove the temporary file.
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    // A failed write leaves Qt's own text at "Unknown error"; the system's says why.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush() || !syncToDisk(file))
        return errno != 0 ? qt_error_string(errno) : file.errorString();
    if (!file.commit()) return file.errorString();
    return {};
}

} // namespace dorrick
