// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/model/rowstore.h"

#include "teacher/model/pupilidentity.h"

#include <QFileInfo>

namespace teacher {

RowStore::RowStore()
{
    intern(QString());                     // number 0
    topicKey(intern(journal::kTopicName)); // the test's own spelling stands for its others
}

int RowStore::addFile(const QString &path)
{
    const QString key = QFileInfo(path).absoluteFilePath();
    if (const auto it = fileNumbers_.constFind(key); it != fileNumbers_.cend())
        return *it;
    files_ << path;
    fileNumbers_.insert(key, int(files_.size() - 1));
    return int(files_.size() - 1);
}

int RowStore::intern(const QString &text)
{
    if (const auto it = textIds_.constFind(text); it != textIds_.cend())
        return *it;
    const int id = int(texts_.size());
    texts_ << text;
    textIds_.insert(text, id);
    dates_ << journalDates(text);
    groupKeys_ << -1;
    topicKeys_ << -1;
    const QString simple = text.simplified();
    simple_ << (simple == text ? id : intern(simple));
    return id;
}

QHash<QString, int>::const_iterator RowStore::knownName(const QString &name)
{
    // A name is folded once however many lines hold it: a school's million lines hold few names.
    if (const auto it = nameKeys_.constFind(name); it != nameKeys_.cend())
        return it;
    const QString compared = comparedName(name);
    auto known = comparedKeys_.constFind(compared);
    if (known == comparedKeys_.cend()) {
        known = comparedKeys_.insert(compared, int(comparedNames_.size()));
        comparedNames_ << compared;
    }
    return nameKeys_.insert(name, *known);
}

int RowStore::nameKey(const QString &name)
{
    return *knownName(name);
}

int RowStore::groupKey(int groupText)
{
    if (groupKeys_[groupText] >= 0)
        return groupKeys_[groupText];
    const QString compared = comparedGroup(texts_[groupText]);
    auto known = groupSpelling_.constFind(compared);
    if (known == groupSpelling_.cend())
        known = groupSpelling_.insert(compared, simple_[groupText]);
    groupKeys_[groupText] = *known;
    return *known;
}

int RowStore::topicKey(int topicText)
{
    if (topicKeys_[topicText] >= 0)
        return topicKeys_[topicText];
    // A topic is compared as a name's words are, in their own order.
    const QString compared = foldedText(texts_[topicText]);
    auto known = topicSpelling_.constFind(compared);
    if (known == topicSpelling_.cend())
        known = topicSpelling_.insert(compared, simple_[topicText]);
    topicKeys_[topicText] = *known;
    return *known;
}

void RowStore::nameGroups(const QStringList &groups)
{
    groupSpelling_.clear();
    groupKeys_.fill(-1);
    for (const QString &group : groups)
        groupSpelling_.insert(comparedGroup(group), intern(group.simplified()));
    for (Row &row : rows_)
        row.groupKey = groupKey(row.group);
}

Row RowStore::makeRow(int file, const JournalLine &line, bool incomplete)
{
    const journal::Entry &e = line.entry;
    Row row;
    row.file = file;
    row.line = line.number;
    row.split = e.split;
    // The reader also marks a last line without its end; it is shown as such, not as unreadable.
    row.incomplete = incomplete || e.incomplete;
    if (e.split == journal::Entry::Split::Unreadable) {
        row.name = e.text;
        row.reason = intern(e.reason);
        return row;
    }
    // Rows of one name share its letters: a line's own copy goes with the line.
    const auto name = knownName(e.name);
    row.name = name.key();
    row.nameKey = *name;
    // The same topic as the line before is told by its letters, without looking it up again.
    row.topic = e.topic == texts_[lastTopic_] ? lastTopic_ : (lastTopic_ = intern(e.topic));
    row.topicKey = topicKey(row.topic);
    row.group = intern(e.group);
    row.groupKey = groupKey(row.group);
    row.date = intern(e.date);
    row.grade = intern(e.grade);
    const int value = gradeNumber(e.grade);
    row.gradeValue = qint16(value >= 0 && value <= 9999 ? value : -1);
    return row;
}

const QString &RowStore::sourceOf(const Row &row) const
{
    return row.file < 0 ? texts_[row.reason] : files_[row.file];
}

journal::Entry RowStore::entry(const Row &row) const
{
    journal::Entry e;
    e.split = row.split;
    if (row.unreadable()) {
        e.text = row.name;
        e.reason = texts_[row.reason];
        return e;
    }
    e.topic = texts_[row.topic];
    e.name = row.name;
    e.group = texts_[row.group];
    e.date = texts_[row.date];
    e.grade = texts_[row.grade];
    return e;
}

} // namespace teacher
