// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/model/listmatching.h"
#include "qtcompat/containers.h"

#include <QFileInfo>
#include <QSet>

namespace teacher {

// The teacher's word on a list's typed names, as compared: the listed pupil, or -1 for another
// pupil. A later word on a name takes an earlier one's place; a word for a pupil no longer on the
// list lapses.
static QHash<QString, int> chosenOf(const ClassList &list, const NameIndex &index)
{
    QHash<QString, int> chosen;
    for (const auto &[typed, pupil] : list.choices) {
        const QString key = comparedName(typed), listed = pupil.trimmed();
        const QVector<int> on = index.exact(comparedName(listed));
        if (key.isEmpty())
            continue;
        if (listed.isEmpty())
            chosen.insert(key, -1);
        else if (!on.isEmpty())
            chosen.insert(key, on.first());
    }
    return chosen;
}

void ListMatching::setLists(const QVector<ClassList> &lists)
{
    lists_ = lists;
    index_.clear();
    chosen_.clear();
    listOf_.clear();
    for (int l = 0; l < lists_.size(); ++l) {
        index_ << NameIndex(lists_[l].pupils);
        chosen_ << chosenOf(lists_[l], index_[l]);
        listOf_.insert(comparedGroup(lists_[l].group), l);
    }
    names_.fill({}, lists_.size());
    verdicts_.fill({}, lists_.size());
    lookups_.fill({}, lists_.size());
}

void ListMatching::clear()
{
    for (int l = 0; l < lists_.size(); ++l) {
        names_[l].clear();
        verdicts_[l].clear();
    }
}

bool ListMatching::enrol(int list, int nameKey)
{
    return ++names_[list][nameKey] == 1;
}

bool ListMatching::drop(int list, int nameKey)
{
    auto it = names_[list].find(nameKey);
    if (it == names_[list].end() || --*it > 0)
        return false;
    names_[list].erase(it);
    return true;
}

QVector<int> ListMatching::rematch(int list, const RowStore &store)
{
    // Each name is looked up in the list once: matching again as names come costs a few hashes a name.
    const QVector<int> keys = qtcompat::toVector(names_[list].keys());
    QStringList typed;
    QVector<QVector<int>> exact, near;
    for (int key : keys) {
        typed << store.comparedNameOf(key);
        auto found = lookups_[list].find(key);
        if (found == lookups_[list].end()) {
            Lookup lookup{index_[list].exact(typed.last()), {}};
            if (lookup.exact.isEmpty())
                lookup.near = index_[list].near(typed.last());
            found = lookups_[list].insert(key, lookup);
        }
        exact << found->exact;
        near << found->near;
    }
    const QVector<NameMatch> matches = decideMatches(exact, near);
    QHash<int, Verdict> verdicts;
    for (int i = 0; i < keys.size(); ++i) {
        const NameMatch &m = matches[i];
        Verdict v{Verdict::NotListed, m.pupil, m.other};
        switch (m.kind) {
        case NameMatch::Same: v.kind = Verdict::Same; break;
        case NameMatch::Namesake: v.kind = Verdict::Namesake; break;
        case NameMatch::Near: v.kind = Verdict::Near; break;
        case NameMatch::Ambiguous: v.kind = Verdict::Ambiguous; break;
        case NameMatch::None: break;
        }
        // The teacher's word settles whatever is not an exact match.
        if (m.kind != NameMatch::Same && m.kind != NameMatch::Namesake)
            if (const auto chosen = chosen_[list].constFind(typed[i]); chosen != chosen_[list].cend())
                v = *chosen >= 0 ? Verdict{Verdict::Chosen, *chosen} : Verdict{Verdict::Other};
        verdicts.insert(keys[i], v);
    }
    QVector<int> changed;
    for (auto it = verdicts.cbegin(); it != verdicts.cend(); ++it)
        if (const auto was = verdicts_[list].constFind(it.key()); was == verdicts_[list].cend() || *was != *it)
            changed << it.key();
    for (auto it = verdicts_[list].cbegin(); it != verdicts_[list].cend(); ++it)
        if (!verdicts.contains(it.key()))
            changed << it.key();
    verdicts_[list] = std::move(verdicts);
    return changed;
}

QVector<int> ListMatching::missing(int list) const
{
    QSet<int> found;
    for (const Verdict &v : verdicts_[list]) {
        if (v.credited())
            found.insert(v.pupil);
        else if (v.kind == Verdict::Namesake)
            for (int p : index_[list].exact(index_[list].compared(v.pupil)))
                found.insert(p);
    }
    QVector<int> missing;
    for (int p = 0; p < lists_[list].pupils.size(); ++p)
        if (!found.contains(p))
            missing << p;
    return missing;
}

QString ListMatching::mark(int list, const Verdict &v) const
{
    const QStringList &pupils = lists_[list].pupils;
    switch (v.kind) {
    case Verdict::Same: return {};
    case Verdict::NotListed: return QStringLiteral("немає у списку");
    case Verdict::Near: return QStringLiteral("схоже на «%1» зі списку").arg(pupils[v.pupil]);
    case Verdict::Ambiguous: return QStringLiteral("схоже на «%1» або «%2»").arg(pupils[v.pupil], pupils[v.other]);
    case Verdict::Namesake:
        return QStringLiteral("у списку кілька учнів «%1»: чий це результат, не відомо").arg(pupils[v.pupil]);
    case Verdict::Chosen: return QStringLiteral("це «%1» зі списку (рішення вчителя)").arg(pupils[v.pupil]);
    case Verdict::Other: return QStringLiteral("інший учень, не зі списку (рішення вчителя)");
    }
    return {};
}

bool ListMatching::choose(int list, const QString &typedName, int pupil, QString *error)
{
    // The file keeps one word a name: an earlier one on the same name goes.
    ClassList changed = lists_[list];
    const QString key = comparedName(typedName);
    qtcompat::removeIf(changed.choices, [&](const auto &choice) { return comparedName(choice.first) == key; });
    changed.choices.append({typedName.simplified(), pupil >= 0 ? changed.pupils[pupil] : QString()});
    if (!saveChoices(changed, error))
        return false;
    lists_[list] = std::move(changed);
    chosen_[list].insert(key, pupil);
    return true;
}

QStringList ListMatching::namesakeProblems() const
{
    QStringList problems;
    for (int l = 0; l < lists_.size(); ++l) {
        if (!inForce(l))
            continue;
        for (const QVector<int> &same : index_[l].namesakes()) {
            QStringList lines;
            for (int p : same)
                lines << QString::number(lists_[l].lines[p]);
            problems << QStringLiteral("Список класу «%1»: «%2» — %3 учні з одним іменем (рядки %4): "
                                       "їхні результати не об'єднано")
                            .arg(QFileInfo(lists_[l].path).fileName(), lists_[l].pupils[same[0]])
                            .arg(same.size())
                            .arg(lines.join(QStringLiteral(", ")));
        }
    }
    return problems;
}

} // namespace teacher
