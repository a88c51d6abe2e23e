// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/model/pupilidentity.h"
#include "qtcompat/containers.h"

#include <QSet>

#include <algorithm>

namespace teacher {

QString foldedText(const QString &text)
{
    QString folded = text.normalized(QString::NormalizationForm_C).toCaseFolded();
    for (QChar &c : folded) {
        switch (c.unicode()) {
        case u'\u2019':
        case u'\u02BC':
        case u'\u2018':
        case u'`': c = u'\''; break;
        // Latin letters that look like Cyrillic ones, as a keyboard left on English types them.
        case u'a': c = u'а'; break;
        case u'i': c = u'і'; break;
        case u'o': c = u'о'; break;
        case u'e': c = u'е'; break;
        case u'c': c = u'с'; break;
        case u'p': c = u'р'; break;
        case u'x': c = u'х'; break;
        case u'y': c = u'у'; break;
        case u'k': c = u'к'; break;
        case u't': c = u'т'; break;
        case u'h': c = u'н'; break;
        case u'm': c = u'м'; break;
        case u'b': c = u'в'; break;
        default: break;
        }
    }
    return folded.simplified();
}

QString comparedName(const QString &name)
{
    QStringList words = foldedText(name).split(QChar(u' '), Qt::SkipEmptyParts);
    std::sort(words.begin(), words.end());
    return words.join(QChar(u' '));
}

QString comparedGroup(const QString &group)
{
    QString folded = foldedText(group);
    qtcompat::removeIf(folded, [](QChar c) { return c.isSpace() || c.category() == QChar::Punctuation_Dash; });
    return folded;
}

int nameDistance(const QString &a, const QString &b, int limit)
{
    if (std::abs(a.size() - b.size()) > limit)
        return limit + 1;
    // Levenshtein over one row; names are short.
    QVector<int> row(b.size() + 1);
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

static QString without(const QString &text, qsizetype at)
{
    QString shorter = text;
    shorter.remove(at, 1);
    return shorter;
}

NameIndex::NameIndex(const QStringList &pupils)
{
    for (int p = 0; p < pupils.size(); ++p) {
        const QString compared = comparedName(pupils[p]);
        compared_ << compared;
        exact_[compared] << p;
        QSet<QString> seen;
        for (qsizetype i = 0; i < compared.size(); ++i)
            if (const QString shorter = without(compared, i); !seen.contains(shorter)) {
                seen.insert(shorter);
                shortened_[shorter] << p;
            }
    }
}

QVector<int> NameIndex::exact(const QString &compared) const
{
    return exact_.value(compared);
}

QVector<int> NameIndex::near(const QString &compared) const
{
    if (compared.isEmpty())
        return {};
    // A letter off may move a word in the alphabetical order: the typed words in every order (a
    // name has two or three of them).
    QStringList words = compared.split(QChar(u' '));
    QStringList forms{compared};
    if (words.size() <= 3) {
        std::sort(words.begin(), words.end());
        while (std::next_permutation(words.begin(), words.end()))
            forms << words.join(QChar(u' '));
    }
    QSet<int> found;
    auto check = [&](const QVector<int> &candidates, const QString &form) {
        for (int p : candidates)
            if (!found.contains(p) && compared_[p] != compared && nameDistance(form, compared_[p]) <= 1)
                found.insert(p);
    };
    for (const QString &form : std::as_const(forms)) {
        check(shortened_.value(form), form); // a letter more on the list
        for (qsizetype i = 0; i < form.size(); ++i) {
            const QString shorter = without(form, i);
            check(exact_.value(shorter), form);     // a letter more typed
            check(shortened_.value(shorter), form); // a letter changed
        }
    }
    QVector<int> list = qtcompat::toVector(found.values());
    std::sort(list.begin(), list.end());
    return list;
}

QVector<QVector<int>> NameIndex::namesakes() const
{
    QVector<QVector<int>> groups;
    for (auto it = exact_.cbegin(); it != exact_.cend(); ++it)
        if (it->size() > 1)
            groups << *it;
    std::sort(groups.begin(), groups.end());
    return groups;
}

QVector<NameMatch> matchNames(const NameIndex &list, const QStringList &typed)
{
    QVector<QVector<int>> exact, near(typed.size());
    for (const QString &name : typed)
        exact << list.exact(name);
    for (int t = 0; t < typed.size(); ++t)
        if (exact[t].isEmpty())
            near[t] = list.near(typed[t]);
    return decideMatches(exact, near);
}

QVector<NameMatch> decideMatches(const QVector<QVector<int>> &exact, const QVector<QVector<int>> &near)
{
    QVector<NameMatch> matches(exact.size());
    QSet<int> exactlyFound; // listed pupils with an exact result of their own
    for (int t = 0; t < exact.size(); ++t) {
        const QVector<int> &same = exact[t];
        if (same.size() == 1) {
            matches[t] = {NameMatch::Same, same[0]};
            exactlyFound.insert(same[0]);
        } else if (same.size() > 1) {
            matches[t] = {NameMatch::Namesake, same[0], same[1]};
            exactlyFound.unite(QSet<int>(same.cbegin(), same.cend()));
        }
    }
    for (int t = 0; t < exact.size(); ++t) {
        if (matches[t].kind != NameMatch::None)
            continue;
        QVector<int> open = near[t];
        qtcompat::removeIf(open, [&](int p) { return exactlyFound.contains(p); });
        if (open.size() == 1)
            matches[t] = {NameMatch::Near, open[0]};
        else if (open.size() > 1)
            matches[t] = {NameMatch::Ambiguous, open[0], open[1]};
    }
    return matches;
}

} // namespace teacher
