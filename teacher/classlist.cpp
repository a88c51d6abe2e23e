// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/classlist.h"

#include "teacher/growingjournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace teacher {

QString classListText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                              QStringDecoder::Flag::Stateless)(bytes.mid(2));
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    // UTF-8 where the bytes are, else Notepad's "ANSI": the journal's own code page.
    return journal::LineDecoder().decode(view);
}

static void readChoices(ClassList &list);

ClassList readClassList(const QString &path, QString *error)
{
    ClassList list;
    list.path = path;
    list.group = QFileInfo(path).completeBaseName();
    QFile file(path);
    // A list is a few hundred bytes; anything far larger is not one.
    constexpr qint64 kLargest = 1 << 20;
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        *error = cannotRead(QDir::toNativeSeparators(path),
                            QFileInfo::exists(path) ? file.errorString() : QStringLiteral("файлу немає"));
        return list;
    }
    if (file.size() > kLargest) {
        *error = QStringLiteral("«%1»: це не список класу (файл завеликий)").arg(QDir::toNativeSeparators(path));
        return list;
    }
    const QStringList lines = classListText(file.readAll()).split(QChar(u'\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString name = lines[i].simplified(); // also the CR of CR LF
        if (!name.isEmpty()) {
            list.pupils << name;
            list.lines << i + 1;
        }
    }
    readChoices(list);
    return list;
}

QString choicesFile(const QString &listPath)
{
    const QFileInfo info(listPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".choices"));
}

// The choices file's lines, each typed name (as compared) with its line.
static QList<std::pair<QString, QString>> choiceLines(const QString &path)
{
    QList<std::pair<QString, QString>> lines;
    QFile file(path);
    if (!QFileInfo(path).isFile() || QFileInfo(path).size() > (1 << 20) || !file.open(QIODevice::ReadOnly))
        return lines;
    const QStringList all = QString::fromUtf8(file.readAll()).split(QChar(u'\n'));
    for (const QString &line : all) {
        const QString text = line.endsWith(u'\r') ? line.chopped(1) : line;
        if (text.startsWith(u'#') || !text.contains(u'\t'))
            continue;
        lines.append({comparedName(text.section(u'\t', 0, 0)), text});
    }
    return lines;
}

static void readChoices(ClassList &list)
{
    QHash<QString, int> listed;
    for (int p = list.pupils.size() - 1; p >= 0; --p)
        listed.insert(comparedName(list.pupils[p]), p);
    for (const auto &[typed, line] : choiceLines(choicesFile(list.path))) {
        const QString pupil = line.section(u'\t', 1).trimmed();
        if (typed.isEmpty())
            continue;
        if (pupil.isEmpty())
            list.choices.insert(typed, -1);
        else if (const auto it = listed.constFind(comparedName(pupil)); it != listed.cend())
            list.choices.insert(typed, *it); // a pupil no longer on the list: the word lapses
    }
}

bool saveChoice(ClassList &list, const QString &typedName, int pupil, QString *error)
{
    const QString path = choicesFile(list.path);
    const QString typed = comparedName(typedName);
    QStringList lines{
        QStringLiteral("# netquiz: хто є хто серед схожих імен у списку «%1»").arg(QFileInfo(list.path).fileName())};
    for (const auto &[key, line] : choiceLines(path))
        if (key != typed)
            lines << line;
    lines << typedName.simplified() + QChar(u'\t') + (pupil >= 0 ? list.pupils[pupil] : QString());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write((lines.join(QChar(u'\n')) + QChar(u'\n')).toUtf8()) < 0 ||
        !file.commit()) {
        *error =
            QStringLiteral("Не вдалося записати «%1» (%2)").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    list.choices.insert(typed, pupil);
    return true;
}

} // namespace teacher
