// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/reading/classlist.h"

#include "teacher/reading/growingjournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace teacher {

static QVector<std::pair<QString, QString>> readChoices(const QString &path);

ClassList readClassList(const QString &path, QString *error)
{
    ClassList list;
    list.path = path;
    list.group = QFileInfo(path).completeBaseName();
    // A list is a few hundred bytes; anything far larger is not one.
    constexpr qint64 kLargest = 1 << 20;
    if (QFileInfo(path).size() > kLargest) {
        *error = QStringLiteral("«%1»: це не список класу (файл завеликий)").arg(QDir::toNativeSeparators(path));
        return list;
    }
    // Read as a journal is: only a regular file, never waiting on it; every line end an editor
    // writes (CR LF, LF, a lone CR, mixed); UTF-8, Windows-1251 or UTF-16, with or without a
    // byte-order mark.
    GrowingJournal file(path, GrowingJournal::Lines::Text);
    const ReadResult read = file.read();
    if (!read.error.isEmpty()) {
        *error = read.error;
        return list;
    }
    for (const JournalLine &line : read.lines) {
        // A line too long for a name, or a control character in one (zero bytes of an encoding
        // not told): not a list, said by name rather than names made of it.
        const QString &text = line.entry.text;
        const bool control = std::any_of(text.cbegin(), text.cend(),
                                         [](QChar c) { return c.category() == QChar::Other_Control && c != u'\t'; });
        if ((!line.entry.reason.isEmpty() && !line.entry.incomplete) || control) {
            *error = QStringLiteral("«%1»: це не список класу (рядок %2 не прочитати: %3); збережіть список як текст "
                                    "UTF-8, один учень у рядку")
                         .arg(QDir::toNativeSeparators(path))
                         .arg(line.number)
                         .arg(control ? QStringLiteral("керівні символи чи нульові байти") : line.entry.reason);
            return {path, list.group, {}, {}, {}};
        }
        const QString name = text.simplified();
        if (!name.isEmpty()) {
            list.pupils << name;
            list.lines << line.number;
        }
    }
    list.choices = readChoices(choicesFile(path));
    return list;
}

QString choicesFile(const QString &listPath)
{
    const QFileInfo info(listPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".choices"));
}

// The choices file's lines: the typed name, and what follows its tab.
static QVector<std::pair<QString, QString>> readChoices(const QString &path)
{
    QVector<std::pair<QString, QString>> choices;
    QFile file(path);
    if (!QFileInfo(path).isFile() || QFileInfo(path).size() > (1 << 20) || !file.open(QIODevice::ReadOnly))
        return choices;
    const QStringList all = QString::fromUtf8(file.readAll()).split(QChar(u'\n'));
    for (const QString &line : all) {
        const QString text = line.endsWith(u'\r') ? line.chopped(1) : line;
        if (!text.startsWith(u'#') && text.contains(u'\t'))
            choices.append({text.section(u'\t', 0, 0), text.section(u'\t', 1)});
    }
    return choices;
}

bool saveChoices(const ClassList &list, QString *error)
{
    const QString path = choicesFile(list.path);
    QStringList lines{
        QStringLiteral("# netquiz: хто є хто серед схожих імен у списку «%1»").arg(QFileInfo(list.path).fileName())};
    for (const auto &[typed, pupil] : list.choices)
        lines << typed + QChar(u'\t') + pupil;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write((lines.join(QChar(u'\n')) + QChar(u'\n')).toUtf8()) < 0 ||
        !file.commit()) {
        *error =
            QStringLiteral("Не вдалося записати «%1» (%2)").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}

} // namespace teacher
