// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/classfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <mutex>

namespace classfolder {
namespace {

// What the marker says to a teacher who finds it in the folder: one text, which the Windows
// installer puts there too when the teacher marks the folder on its class-folder page.
QByteArray markerText()
{
    QFile text(QStringLiteral(":/assets/netquiz-class-folder.txt"));
    return text.open(QIODevice::ReadOnly) ? text.readAll() : QByteArray();
}

Qt::CaseSensitivity pathCase()
{
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

QString cleaned(const QString &path)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

// The class folders of this program's run: set at start from the command line, read by the
// threads that save.
struct Expected {
    std::mutex lock;
    QStringList folders;
};
Expected &expected()
{
    static Expected e;
    return e;
}

} // namespace

QString markerName()
{
    return QStringLiteral("netquiz-class-folder.txt");
}

bool isMarked(const QString &dir)
{
    return QFileInfo(QDir(dir).filePath(markerName())).isFile();
}

QString mark(const QString &dir, bool makeFolder)
{
    if (isMarked(dir))
        return {};
    const QString shown = QDir::toNativeSeparators(dir);
    if (makeFolder && !QDir().mkpath(dir))
        return QStringLiteral("не вдалося створити теку %1").arg(shown);
    if (!QFileInfo(dir).isDir())
        return QStringLiteral("теки %1 немає").arg(shown);
    QFile marker(QDir(dir).filePath(markerName()));
    if (!marker.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (isMarked(dir))
            return {}; // made meanwhile by another copy
        return QStringLiteral("не вдалося записати %1 (%2)")
            .arg(QDir::toNativeSeparators(marker.fileName()), marker.errorString());
    }
    const QByteArray text = markerText();
    if (marker.write(text) != text.size() || !marker.flush()) {
        const QString why = marker.errorString();
        marker.remove();
        return QStringLiteral("не вдалося записати %1 (%2)").arg(QDir::toNativeSeparators(marker.fileName()), why);
    }
    marker.close();
    return {};
}

bool holdsJournals(const QString &dir)
{
    const QStringList computers = QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return std::any_of(computers.cbegin(), computers.cend(), [&](const QString &computer) {
        return QFileInfo(QDir(dir).filePath(computer + QStringLiteral("/1.txt"))).isFile();
    });
}

void offer(const QString &path)
{
    // An empty folder may be the mount point of a share that did not mount: never marked so.
    if (QFileInfo(path).isDir() && QFileInfo(path).isWritable() && holdsJournals(path))
        mark(path, false);
}

void expect(const QString &dir)
{
    if (dir.isEmpty())
        return;
    Expected &e = expected();
    const std::lock_guard<std::mutex> guard(e.lock);
    e.folders << cleaned(dir);
}

QString holding(const QString &file)
{
    const QString path = cleaned(file);
    Expected &e = expected();
    const std::lock_guard<std::mutex> guard(e.lock);
    for (const QString &dir : std::as_const(e.folders))
        if (path.startsWith(dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/'), pathCase()))
            return dir;
    return {};
}

QString missingFor(const QString &file, const QString &classFolder)
{
    const QString folder = classFolder.isEmpty() ? holding(file) : classFolder;
    if (folder.isEmpty() || isMarked(folder))
        return {};
    // A folder that is there but unmarked (made by hand, named to a silent install, or the mount
    // point of a share not connected) is said so, with the teacher's step.
    if (QFileInfo(folder).isDir())
        return QStringLiteral("Спільну теку класу не позначено: у ній немає файлу %1 (теку ще не позначив "
                              "учитель, або мережеву теку не під'єднано).\nУчитель позначає її в «Результатах "
                              "тесту»: «Файл» → «Позначити теку класу…».\nТека: %2")
            .arg(markerName(), QDir::toNativeSeparators(folder));
    return QStringLiteral("Спільну теку класу не знайдено (не під'єднана?)\nТека: %1")
        .arg(QDir::toNativeSeparators(folder));
}

} // namespace classfolder
