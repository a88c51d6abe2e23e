// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/classlist.h"

#include "teacher/growingjournal.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace teacher {

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
            return {path, list.group, {}, {}};
        }
        const QString name = text.simplified();
        if (!name.isEmpty()) {
            list.pupils << name;
            list.lines << line.number;
        }
    }
    return list;
}

static QString folded(const QString &name)
{
    QString text = name.normalized(QString::NormalizationForm_C).toCaseFolded();
    for (QChar &c : text)
        if (c == u'\u2019' || c == u'\u02BC' || c == u'\u2018' || c == u'`')
            c = u'\'';
    return text.simplified();
}

QString comparedName(const QString &name)
{
    QStringList words = folded(name).split(QChar(u' '), Qt::SkipEmptyParts);
    std::sort(words.begin(), words.end());
    return words.join(QChar(u' '));
}

int nameDistance(const QString &a, const QString &b, int limit)
{
    if (std::abs(a.size() - b.size()) > limit)
        return limit + 1;
    // Levenshtein over one row; names are short.
    QList<int> row(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        int best = row[0];
        for (int j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
            best = std::min(best, row[j]);
        }
        if (best > limit)
            return limit + 1;
    }
    return std::min(row[b.size()], limit + 1);
}

NameMatch matchName(const QString &name, const QStringList &compared)
{
    const QString key = comparedName(name);
    if (key.isEmpty())
        return {};
    if (const qsizetype at = compared.indexOf(key); at >= 0)
        return {NameMatch::Same, int(at)};
    // A letter off may move a word in the alphabetical order: try the typed words in every order
    // (a name has two or three of them).
    QStringList words = key.split(QChar(u' '));
    QStringList forms{key};
    if (words.size() <= 3) {
        std::sort(words.begin(), words.end());
        while (std::next_permutation(words.begin(), words.end()))
            forms << words.join(QChar(u' '));
    }
    for (int i = 0; i < compared.size(); ++i)
        for (const QString &form : std::as_const(forms))
            if (nameDistance(form, compared[i]) <= 1)
                return {NameMatch::Near, i};
    return {};
}

QString comparedGroup(const QString &group)
{
    return group.simplified().toCaseFolded();
}

} // namespace teacher
