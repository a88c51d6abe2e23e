// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/journal.h"

#include "result/classfolder.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <memory>

#ifndef Q_OS_WIN
#include <pwd.h>
#include <unistd.h>
#endif

namespace journal {

QString fileUnder(const QString &drive)
{
    return QDir(drive).filePath(QStringLiteral("test/Internet/1.txt"));
}

#ifndef Q_OS_WIN
// HOME unset or empty makes Qt fall back to the root folder, a relative HOME points into the
// working folder: in those cases the account's home comes from the password database.
static QString homeFolder()
{
    if (const QString home = qEnvironmentVariable("HOME"); QDir::isAbsolutePath(home))
        return home;
    if (const passwd *account = ::getpwuid(::getuid()); account && account->pw_dir) {
        if (const QString home = QFile::decodeName(account->pw_dir); QDir::isAbsolutePath(home))
            return home;
    }
    return QDir::rootPath();
}
#endif

QString defaultFile()
{
#ifdef Q_OS_WIN
    return fileUnder(QStringLiteral("C:/"));
#else
    return fileUnder(homeFolder());
#endif
}

QString folderNameOf(const QString &computer)
{
    QString name;
    for (const QChar c : computer.trimmed())
        name += c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("/\\:*?\"<>|").contains(c) ? QChar('_') : c;
    // Windows drops trailing dots and blanks from a name, so "PC." and "PC" would meet.
    while (name.endsWith('.') || name.endsWith(' '))
        name.chop(1);
    if (name.isEmpty())
        return QStringLiteral("computer");
    // CON, PRN, AUX, NUL, COM1-9, LPT1-9 name devices on Windows, also with an extension.
    static const QRegularExpression reserved(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (reserved.match(name).hasMatch())
        name.prepend('_');
    return name.left(100);
}

QString fileInClassFolder(const QString &classFolder, const QString &computer)
{
    return QDir(classFolder).filePath(folderNameOf(computer) + QStringLiteral("/1.txt"));
}

QString reason(const journalfile::Result &result)
{
    using journalfile::Failure;
    QString words;
    switch (result.failure) {
    case Failure::None: return {};
    case Failure::NoSuchFolder: words = QStringLiteral("немає такої папки чи диска"); break;
    case Failure::NoRight: words = QStringLiteral("немає права запису"); break;
    case Failure::ReadOnlyDisk: words = QStringLiteral("диск лише для читання"); break;
    case Failure::DiskFull: words = QStringLiteral("на диску немає місця"); break;
    case Failure::Quota: words = QStringLiteral("вичерпано дискову квоту"); break;
    case Failure::FileTooBig: words = QStringLiteral("файл досяг найбільшого дозволеного розміру"); break;
    case Failure::FileInPlaceOfFolder: words = QStringLiteral("на місці папки стоїть файл"); break;
    case Failure::FolderInPlaceOfFile: words = QStringLiteral("на місці файлу стоїть папка"); break;
    case Failure::Busy: words = QStringLiteral("файл зайнятий іншою програмою"); break;
    case Failure::NotRegularFile: words = QStringLiteral("це не звичайний файл"); break;
    case Failure::NotInPlace: words = QStringLiteral("записаного не знайдено у файлі під час перевірки"); break;
    case Failure::Other: words = QStringLiteral("помилка системи"); break;
    }
    // UTF-8 from the bytes layer: FormatMessage's text converted on Windows; strerror's in the
    // locale's encoding elsewhere, which Qt 6 takes to be UTF-8 on Unix.
    if (!result.systemText.empty())
        words += QStringLiteral(" (%1)").arg(QString::fromStdString(result.systemText));
    return words;
}

std::unique_lock<std::mutex> lockInProcess(const QString &file)
{
    // One mutex per file name, made on first use and kept: a run touches a handful of files.
    static std::mutex registry;
    static QHash<QString, std::shared_ptr<std::mutex>> locks;
    std::shared_ptr<std::mutex> lock;
    {
        const std::lock_guard<std::mutex> guard(registry);
        std::shared_ptr<std::mutex> &slot = locks[QDir::cleanPath(QDir::fromNativeSeparators(file))];
        if (!slot)
            slot = std::make_shared<std::mutex>();
        lock = slot;
    }
    return std::unique_lock<std::mutex>(*lock);
}

QString keptText(KeptAt kept, const QString &keptIn)
{
    switch (kept) {
    case KeptAt::ThisComputer:
        return QStringLiteral("Результат збережено на цьому комп'ютері і буде додано до журналу під час наступного "
                              "запуску тесту. Можна також усунути причину і натиснути «Вихід» ще раз.");
    case KeptAt::BesideJournal:
        return QStringLiteral("Результат збережено поруч із журналом, у файлі %1, і буде додано до журналу під час "
                              "наступного запуску тесту. Можна також усунути причину і натиснути «Вихід» ще раз.")
            .arg(QDir::toNativeSeparators(keptIn));
    case KeptAt::Nowhere: break;
    }
    return QStringLiteral("Результат НЕ збережено ніде: ні в журналі, ні на цьому комп'ютері.\nНе закривайте це "
                          "вікно і покличте вчителя, щоб він записав оцінку. Коли причину буде усунено, "
                          "натисніть «Вихід» ще раз.");
}

Outcome append(const QString &file, const QByteArray &record, std::chrono::milliseconds lockWait, KeptAt kept,
               const QString &keptIn)
{
    const std::unique_lock<std::mutex> inProcess = lockInProcess(file);
    // A class folder without its marker (a share that did not mount) is never written into.
    const QString noClassFolder = classfolder::missingFor(file);
    // The bytes layer takes UTF-8 paths; Qt 6 names files in UTF-8 on Unix too.
    const journalfile::Result result =
        !noClassFolder.isEmpty()
            ? journalfile::Result{journalfile::Failure::NoSuchFolder, {}}
            : journalfile::append(file.toStdString(), std::string_view(record.constData(), size_t(record.size())),
                                  lockWait);
    if (result.ok())
        return {true, {}, true};
    const QString why = !noClassFolder.isEmpty()
                            ? noClassFolder
                            : QStringLiteral("Не вдалося записати результат у файл %1.\nПричина: %2")
                                  .arg(QDir::toNativeSeparators(file), reason(result));
    return {false, why + QStringLiteral("\n\n") + keptText(kept, keptIn), kept != KeptAt::Nowhere};
}

} // namespace journal
