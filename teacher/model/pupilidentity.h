// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Who "the same pupil" is, one rule for the whole results view (class lists, attempts, summary,
// chart, report, CSV and questions). Pupils type their names in many ways: letter case, the kind
// of apostrophe, extra blanks, surname or first name first, and Latin letters that look like
// Cyrillic ones (a keyboard left on English). None of these makes another pupil. A class is
// compared the same way and also without hyphens and dashes: "9а", "9 А" and "9-a" are 9-А.

#include <QHash>
#include <QVector>
#include <QString>
#include <QStringList>

namespace teacher {

// The text as compared: letter case folded, Latin look-alikes (a, i, o, e, c, p, x, y, k, t, h,
// m, b) read as the Cyrillic letters they look like, every apostrophe the same, one blank
// between words.
QString foldedText(const QString &text);

// The name as compared: foldedText() with its words in alphabetical order.
QString comparedName(const QString &name);

// The class as compared: foldedText() without blanks, hyphens and dashes.
QString comparedGroup(const QString &group);

// How far apart two compared names are, in letters added, dropped or changed; stops counting past
// `limit` (returns limit + 1 then).
int nameDistance(const QString &a, const QString &b, int limit = 1);

// Whom on a class list a typed name stands for.
struct NameMatch {
    enum Kind {
        None,      // nobody on the list
        Same,      // this pupil
        Near,      // one letter off this pupil, and no other pupil without a result of their own
        Ambiguous, // one letter off two pupils alike (pupil and other): credited to neither
        Namesake,  // the name of two pupils on the list (pupil and other): whose it is, no one knows
    };
    Kind kind = None;
    int pupil = -1, other = -1; // indexes on the list
    bool operator==(const NameMatch &) const = default;
};

// One class list's names, indexed to be matched in time independent of the list's length: exact
// names by hash, names one letter off through each name with one letter left out.
class NameIndex {
public:
    NameIndex() = default;
    explicit NameIndex(const QStringList &pupils);

    int size() const { return int(compared_.size()); }
    const QString &compared(int pupil) const { return compared_[pupil]; }
    // The listed pupils with this compared name, in list order.
    QVector<int> exact(const QString &compared) const;
    // The listed pupils one letter off the compared name, in any order of its words, in list order.
    QVector<int> near(const QString &compared) const;
    // Groups of two or more pupils with one compared name.
    QVector<QVector<int>> namesakes() const;

private:
    QStringList compared_;
    QHash<QString, QVector<int>> exact_;
    QHash<QString, QVector<int>> shortened_; // a name with one letter left out -> its pupils
};

// The typed names of one class (compared names, each once) against its list, all at once: an
// exact match always wins; a listed pupil with an exact result of their own is never given a
// near miss; a near miss as close to two listed pupils is no one's.
QVector<NameMatch> matchNames(const NameIndex &list, const QStringList &typed);
// The same rule over names looked up already: each name's exact pupils, and for a name without
// one, its near pupils (NameIndex::exact and near).
QVector<NameMatch> decideMatches(const QVector<QVector<int>> &exact, const QVector<QVector<int>> &near);

} // namespace teacher
