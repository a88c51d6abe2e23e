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
    singles_.clear();
}

bool Attempts::before(int a, int b) const
{
    // Each row's day sits in one list: a pupil's attempts are compared without a visit to rows
    // far apart in memory.
    const qint64 da = store_->days()[a], db = store_->days()[b];
    return da != db ? da < db : a < b;
}

int Attempts::add(int row, const Key &key)
{
    auto it = pupilIds_.constFind(key);
    if (it == pupilIds_.cend()) {
        it = pupilIds_.insert(key, int(pupils_.size()));
        pupils_.append(QVector<int>());
    }
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
    if (pupil >= 0)
        pupils_[pupil].removeOne(row);
    else if (const auto at = std::lower_bound(singles_.begin(), singles_.end(), row);
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
    const QVector<int> &attempts = pupils_[pupil];
    switch (rule_) {
    case AttemptRule::First: return attempts.first();
    case AttemptRule::Latest: return attempts.last();
    case AttemptRule::Best: break;
    }
    const QVector<Row> &rows = store_->rows();
    int best = attempts.last(); // of equal grades, the latest
    for (qsizetype n = attempts.size() - 2; n >= 0; --n)
        if (rows[attempts[n]].gradeValue > rows[best].gradeValue)
            best = attempts[n];
    return best;
}

QVector<int> Attempts::countedRows() const
{
    QVector<int> all = singles_;
    for (int p = 0; p < pupils_.size(); ++p)
        if (!pupils_[p].isEmpty())
            all << counted(p);
    return all;
}

} // namespace teacher
