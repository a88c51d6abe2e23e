// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The runs of the details records matched to the results table's journal lines, and the runs
// the questions count by them. Reading the records is details.cpp's.
#include "teacher/reading/details.h"

#include "result/journalline.h"
#include "teacher/model/marks.h"

#include <QSet>

#include <algorithm>

namespace teacher {

// Name and class joined as the journal line joins them (where the two meet in a line is at
// times a guess), and the grade.
static QString pupilKey(const QString &name, const QString &group, const QString &grade)
{
    return name + journal::kSeparator + group + QChar(0) + grade;
}

// The text as the journal holds it once read back: in the journal's code page, where a
// letter it lacks is '?' and the Ukrainian keyboard's apostrophe is '.
static QString asInJournal(const QString &text)
{
    journal::LineDecoder decoder;
    return decoder.decode(journal::encode(text));
}

LineMatcher::LineMatcher(DetailsBook &book, const QString &journal)
{
    QVector<RunState *> finished;
    const QString key = DetailsBook::journalKey(journal);
    for (RunState &run : book.runs_)
        if (run.journal == key && run.finished) {
            run.hasJournalLine = false;
            finished << &run;
        }
    std::stable_sort(finished.begin(), finished.end(), [](const RunState *a, const RunState *b) {
        return std::tie(a->finished->at, a->id) < std::tie(b->finished->at, b->id);
    });
    for (RunState *run : finished)
        byKey_[pupilKey(asInJournal(run->name), asInJournal(run->group), QString::number(run->finished->grade))] << run;
}

RunState *LineMatcher::next(const QString &name, const QString &group, const QString &grade)
{
    if (byKey_.isEmpty())
        return nullptr; // no details beside this journal: nothing to look up
    auto found = byKey_.find(pupilKey(name, group, grade));
    if (found == byKey_.end() || found->isEmpty())
        return nullptr;
    RunState *run = found->takeFirst();
    run->hasJournalLine = true;
    return run;
}

QHash<qint64, ResultsModel::RowDetails> matchRows(DetailsBook &book, const ResultsModel &model,
                                                  QVector<std::pair<int, QString>> *matched)
{
    QHash<qint64, ResultsModel::RowDetails> rowDetails;
    if (book.runs().isEmpty())
        return rowDetails;
    QSet<QString> withDetails;
    for (const RunState &run : book.runs())
        withDetails.insert(run.journal);
    QHash<int, QVector<int>> rowsOf; // file -> its rows, only where the file has details
    QSet<int> files;
    for (int f = 0; f < model.files().size(); ++f)
        if (withDetails.contains(DetailsBook::journalKey(model.files()[f])))
            files.insert(f);
    if (files.isEmpty())
        return rowDetails;
    for (int r = 0; r < model.rows().size(); ++r)
        if (files.contains(model.rows()[r].file))
            rowsOf[model.rows()[r].file] << r;
    for (auto it = rowsOf.begin(); it != rowsOf.end(); ++it) {
        QVector<int> &rows = it.value();
        std::sort(rows.begin(), rows.end(), [&](int a, int b) { return model.rows()[a].line < model.rows()[b].line; });
        LineMatcher matcher(book, model.files()[it.key()]);
        for (int r : rows) {
            const Row &row = model.rows()[r];
            if (!row.isResult())
                continue;
            const qint64 key = ResultsModel::rowKey(row.file, row.line);
            // A journal line without its details record, where the computer writes them: marked.
            const RunState *run = matcher.next(row.name, model.textOf(row.group), model.textOf(row.grade));
            if (!run) {
                rowDetails.insert(key, {marks::kNoDetails, {}, -1});
                continue;
            }
            rowDetails.insert(key, {durationOf(run), finishTimeOf(run), run->finished->seconds});
            if (matched)
                matched->append({r, run->key()});
        }
    }
    return rowDetails;
}

QVector<const RunState *> countedRuns(const DetailsBook &book, const ResultsModel &model,
                                    const QVector<std::pair<int, QString>> &matched,
                                    const std::function<bool(int row)> &rowShown,
                                    const std::function<bool(const RunState &)> &runShown)
{
    QVector<const RunState *> counted;
    for (const auto &[row, id] : matched)
        if (model.counted(row) && (!rowShown || rowShown(row)))
            if (const auto run = book.runs().constFind(id); run != book.runs().cend())
                counted << &run.value();
    for (const RunState &run : book.runs())
        if (!run.hasJournalLine && run.finished && (!runShown || runShown(run)))
            counted << &run;
    return counted;
}

} // namespace teacher
