// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/model/attempts.h"

#include <algorithm>

namespace teacher {

QString attemptRuleName(AttemptRule rule)
{
    switch (rule) {
    case AttemptRule::Best: return QStringLiteral("найкраща");
    case AttemptRule::First: return QStringLiteral("перша");
    case AttemptRule::Latest: break;
    }
    return QStringLiteral("остання");
}

std::optional<AttemptRule> attemptRuleOf(const QString &word)
{
    if (word == u"latest")
        return AttemptRule::Latest;
    if (word == u"best")
        return AttemptRule::Best;
    if (word == u"first")
        return AttemptRule::First;
    return std::nullopt;
}

void Attempts::clear()
{
    pupilIds_.clear();
    pupils_.clear();
    counted_.clear();
    singles_.clear();
}

bool Attempts::before(int a, int b) const
{
    // Each row's moment sits in one list: a pupil's attempts are compared without a visit to rows
    // far apart in memory.
    const qint64 ma = store_->moments()[a], mb = store_->moments()[b];
    return ma != mb ? ma < mb : a < b;
}

int Attempts::add(int row, const Key &key)
{
    auto it = pupilIds_.constFind(key);
    if (it == pupilIds_.cend()) {
        it = pupilIds_.insert(key, int(pupils_.size()));
        pupils_.append(QVector<int>());
        counted_.append(kUnknown);
    }
    counted_[*it] = kUnknown;
    QVector<int> &same = pupils_[*it];
    same.insert(std::upper_bound(same.begin(), same.end(), row, [this](int a, int b) { return before(a, b); }), row);
    return *it;
}

void Attempts::addSingle(int row)
{
    singles_.insert(std::lower_bound(singles_.begin(), singles_.end(), row), row);
}

void Attempts::remove(int row, int pupil)
{
    if (pupil >= 0) {
        pupils_[pupil].removeOne(row);
        counted_[pupil] = kUnknown;
    } else if (const auto at = std::lower_bound(singles_.begin(), singles_.end(), row);
               at != singles_.end() && *at == row)
        singles_.erase(at);
}

bool Attempts::isSingle(int row) const
{
    return std::binary_search(singles_.begin(), singles_.end(), row);
}

int Attempts::attempt(int row, int pupil) const
{
    if (pupil < 0)
        return 1;
    const QVector<int> &same = pupils_[pupil];
    return int(std::lower_bound(same.begin(), same.end(), row, [this](int a, int b) { return before(a, b); }) -
               same.begin()) +
           1;
}

int Attempts::counted(int pupil) const
{
    // Asked for every row of a pupil in turn: worked out once until the pupil's attempts change.
    if (counted_[pupil] != kUnknown)
        return counted_[pupil];
    // Only attempts nothing puts in doubt count: the rule picks among them.
    const QVector<Row> &rows = store_->rows();
    int chosen = -1;
    for (int row : pupils_[pupil]) {
        if (rows[row].doubt)
            continue;
        if (chosen < 0 || rule_ == AttemptRule::Latest ||
            (rule_ == AttemptRule::Best &&
             rows[row].gradeValue >= rows[chosen].gradeValue)) // of equal grades, the latest
            chosen = row;
        else if (rule_ == AttemptRule::First)
            break;
    }
    counted_[pupil] = chosen;
    return chosen;
}

QVector<int> Attempts::countedRows() const
{
    QVector<int> all;
    const QVector<Row> &rows = store_->rows();
    for (int row : singles_)
        if (!rows[row].doubt)
            all << row;
    for (int p = 0; p < pupils_.size(); ++p)
        if (const int row = pupils_[p].isEmpty() ? -1 : counted(p); row >= 0)
            all << row;
    return all;
}

} // namespace teacher
