// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/classlist.h"

#include "teacher/growingjournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

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
