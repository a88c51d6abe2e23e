#include "result/journal.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <direct.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace journal {

QString fileUnder(const QString &drive)
{
    return QDir(drive).filePath(QStringLiteral("test/Internet/1.txt"));
}

QString defaultFile()
{
#ifdef Q_OS_WIN
    return fileUnder(QStringLiteral("C:/"));
#else
    return fileUnder(QDir::homePath());
#endif
}

static Outcome failure(const QString &path, const QString &reason)
{
    return {false, QStringLiteral("Не вдалося записати результат у файл %1.\nПричина: %2\n\n"
                                  "Результат не втрачено: усуньте причину і натисніть «Вихід» ще раз.")
                       .arg(QDir::toNativeSeparators(path), reason)};
}

static QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// --- the few calls that differ between Windows and the rest ---------------------------------
#ifdef Q_OS_WIN
static int makeFolder(const QString &path)
{
    return _wmkdir(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16())) == 0 ? 0 : errno;
}

static QString appendBytes(const QString &path, const QByteArray &bytes)
{
    // FILE_APPEND_DATA alone makes every write land at the end, atomically.
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                              FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return qt_error_string(int(GetLastError()));
    LARGE_INTEGER before{};
    GetFileSizeEx(file, &before);
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.constData(), DWORD(bytes.size()), &written, nullptr);
    const DWORD error = GetLastError();
    QString reason;
    if (!ok || written != DWORD(bytes.size())) {
        reason = qt_error_string(ok ? int(ERROR_DISK_FULL) : int(error));
        LARGE_INTEGER after{};
        GetFileSizeEx(file, &after);
        if (written > 0 && after.QuadPart == before.QuadPart + written) {
            FILE_END_OF_FILE_INFO end{};
            end.EndOfFile = before;
            SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end);
        }
    }
    CloseHandle(file);
    return reason;
}
#else
static int makeFolder(const QString &path)
{
    return ::mkdir(QFile::encodeName(path).constData(), 0777) == 0 ? 0 : errno;
}

static QString appendBytes(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return systemReason(errno);
    // One write of the whole line: O_APPEND puts it after whatever another copy wrote.
    ssize_t written;
    do
        written = ::write(fd, bytes.constData(), size_t(bytes.size()));
    while (written < 0 && errno == EINTR);
    QString reason;
    if (written < 0) {
        reason = systemReason(errno);
    } else if (written < bytes.size()) {
        // Short write (disk full, file size limit): learn why, then take our part back out.
        const ssize_t more = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        const int error = more < 0 ? errno : ENOSPC;
        if (more > 0)
            written += more;
        reason = systemReason(error);
        const off_t end = ::lseek(fd, 0, SEEK_CUR);
        struct stat st {};
        if (end >= written && ::fstat(fd, &st) == 0 && st.st_size == end)
            if (::ftruncate(fd, end - written) != 0)
                reason += QStringLiteral("; ") + systemReason(errno);
    }
    ::close(fd);
    return reason;
}
#endif
// ----------------------------------------------------------------------------------------------

Outcome append(const QString &file, const QByteArray &record)
{
    // The missing folders on the way, the outermost first; existing folders are left as they are.
    QStringList missing;
    for (QDir dir = QFileInfo(file).absoluteDir(); !dir.exists() && !dir.isRoot(); dir.setPath(QFileInfo(dir.path()).path()))
        missing.prepend(dir.path());
    for (const QString &folder : missing) {
        // Another copy of the program may make the same folder at the same moment.
        if (const int error = makeFolder(folder); error && !QFileInfo(folder).isDir())
            return failure(file, systemReason(error));
    }
    if (const QString reason = appendBytes(file, record); !reason.isEmpty())
        return failure(file, reason);
    return {true, {}};
}

} // namespace journal
