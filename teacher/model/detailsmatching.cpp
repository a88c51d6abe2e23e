// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtcompat/containers.h"
#include "teacher/model/detailsmatching.h"

#include "pages/tally.h"
#include "result/details.h"
#include "result/journalline.h"
#include "teacher/model/pupilidentity.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <vector>

namespace teacher {

// Name and class joined as the journal line joins them (where the two meet in a line is at
// times a guess).
static QString pupilKey(const QString &name, const QString &group)
{
    return name + journal::kSeparator + group;
}

// The text as the journal holds it once read back: in the journal's code page, where a
// letter it lacks is '?' and the Ukrainian keyboard's apostrophe is '.
static QString asInJournal(const QString &text)
{
    journal::LineDecoder decoder;
    return decoder.decode(journal::encode(journal::asTyped(text)));
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
    for (RunState *run : finished) {
        const QString pupil = pupilKey(asInJournal(run->name), asInJournal(run->group));
        byGrade_[pupil + QChar(0) + QString::number(run->finished->grade)] << run;
        byPupil_[pupil] << run;
    }
}

// The first run of the list not taken yet, taken.
static RunState *take(QVector<RunState *> *runs)
{
    while (runs && !runs->isEmpty()) {
        RunState *run = runs->takeFirst();
        if (!run->hasJournalLine) {
            run->hasJournalLine = true;
            return run;
        }
    }
    return nullptr;
}

RunState *LineMatcher::next(const QString &name, const QString &group, const QString &grade)
{
    const auto found = byGrade_.find(pupilKey(name, group) + QChar(0) + grade);
    return take(found == byGrade_.end() ? nullptr : &found.value());
}

RunState *LineMatcher::nextOfPupil(const QString &name, const QString &group)
{
    const auto found = byPupil_.find(pupilKey(name, group));
    return take(found == byPupil_.end() ? nullptr : &found.value());
}

// The points as the test turns them into its grade (0 becomes 1); -1 for points no grade has.
static int gradeOfPoints(double points)
{
    try {
        return tally::flooredGrade(tally::pointsToGrade(tally::numberToText(points), QLocale::c()).toInt());
    } catch (const tally::LimitError &) {
        return -1;
    }
}

// The points the record's items give, or -1 where a page scored as a whole says other points
// than its share of items right gives.
static double pointsOfAnswers(const DetailsRecord &record)
{
    struct Page {
        int items = 0, right = 0, points = -1;
    };
    QVector<std::pair<QString, Page>> pages; // in test order
    for (const DetailsItem &item : record.items) {
        auto at = std::find_if(pages.begin(), pages.end(), [&](const auto &p) { return p.first == item.page; });
        if (at == pages.end())
            at = pages.insert(pages.end(), {item.page, Page()});
        ++at->second.items;
        at->second.right += item.right;
        if (item.pagePoints >= 0)
            at->second.points = item.pagePoints;
    }
    double points = 0;
    for (const auto &[name, page] : pages) {
        if (page.points < 0) { // a single choice: its point when right
            points += page.right;
            continue;
        }
        if (tally::scorePage(page.right, page.items).PagePoints != page.points)
            return -1;
        points += page.points;
    }
    return points;
}

int gradeOfAnswers(const DetailsRecord &record)
{
    if (record.items.isEmpty())
        return gradeOfPoints(record.points);
    const double points = pointsOfAnswers(record);
    return points < 0 ? -1 : gradeOfPoints(points);
}

// The line's details from its run: duration, finishing time, and what the run says against it.
static ResultsModel::RowDetails detailsOf(const RunState &run, int lineGrade)
{
    const DetailsRecord &record = *run.finished;
    ResultsModel::RowDetails details;
    details.duration = durationOf(&run);
    details.finished = finishTimeOf(&run);
    details.seconds = record.seconds;
    details.finishedAt = record.at.toMSecsSinceEpoch();
    details.finishedDay = record.at.date(); // the pupil's own day, as the journal's date is
    const int answers = gradeOfAnswers(record);
    const bool itself = answers == record.grade && (record.items.isEmpty() || gradeOfPoints(record.points) == answers);
    if (!itself || lineGrade != record.grade) {
        details.doubt |= GradeNotAnswers;
        details.answersGrade = answers >= 0 ? answers : record.grade;
    }
    return details;
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
    QHash<int, QVector<int>> rowsOf; // file -> its result rows in line order, only where the file has details
    QSet<int> files;
    for (int f = 0; f < model.files().size(); ++f)
        if (withDetails.contains(DetailsBook::journalKey(model.files()[f])))
            files.insert(f);
    if (files.isEmpty())
        return rowDetails;
    for (int r = 0; r < model.rows().size(); ++r)
        if (files.contains(model.rows()[r].file) && model.rows()[r].isResult())
            rowsOf[model.rows()[r].file] << r;
    for (auto it = rowsOf.begin(); it != rowsOf.end(); ++it) {
        QVector<int> &rows = it.value();
        std::sort(rows.begin(), rows.end(), [&](int a, int b) { return model.rows()[a].line < model.rows()[b].line; });
        LineMatcher matcher(book, model.files()[it.key()]);
        if (matcher.isEmpty())
            continue; // only runs under way: nothing to hold the lines against yet
        std::vector<const RunState *> runOf(size_t(rows.size()), nullptr);
        for (int n = 0; n < rows.size(); ++n) { // first each line with its own grade's run
            const Row &row = model.rows()[rows[n]];
            runOf[n] = matcher.next(row.name, model.textOf(row.group), model.textOf(row.grade));
        }
        for (int n = 0; n < rows.size(); ++n) // then a line left over with a run of its pupil left over
            if (!runOf[n])
                runOf[n] = matcher.nextOfPupil(model.rows()[rows[n]].name, model.textOf(model.rows()[rows[n]].group));
        // Lines written before the journal's first line that has a record come from before the
        // computer kept details (an earlier version, a journal brought along): they count as
        // they always did. Only a line without a record after that one is in doubt.
        const auto first = std::find_if(runOf.cbegin(), runOf.cend(), [](const RunState *run) { return run; });
        const int firstWithRecord = int(first - runOf.cbegin());
        for (int n = 0; n < rows.size(); ++n) {
            const Row &row = model.rows()[rows[n]];
            const qint64 key = ResultsModel::rowKey(row.file, row.line);
            if (!runOf[n] && n < firstWithRecord)
                continue;
            if (!runOf[n]) {
                ResultsModel::RowDetails none;
                none.doubt = NoDetails;
                rowDetails.insert(key, none);
                continue;
            }
            rowDetails.insert(key, detailsOf(*runOf[n], row.gradeValue));
            if (matched)
                matched->append({rows[n], runOf[n]->key()});
        }
    }
    return rowDetails;
}

QStringList missingDetailsFiles(const DetailsBook &book, const QStringList &journals)
{
    // A class folder holds a folder per computer: its neighbours are the other computers' folders.
    QSet<QString> withDetails, classesWith;
    for (const RunState &run : book.runs())
        withDetails.insert(run.journal);
    auto classOf = [](const QString &key) { return QFileInfo(QFileInfo(key).path()).path(); };
    for (const QString &key : std::as_const(withDetails))
        classesWith.insert(classOf(key));
    QStringList missing;
    for (const QString &journal : journals) {
        const QString key = DetailsBook::journalKey(journal);
        if (withDetails.contains(key) || !classesWith.contains(classOf(key)) ||
            QFileInfo::exists(details::fileBeside(journal)))
            continue;
        missing << QStringLiteral("«%1»: файлу подробиць немає, хоча сусідні комп'ютери їх пишуть")
                       .arg(QDir::toNativeSeparators(details::fileBeside(journal)));
    }
    return missing;
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

QVector<const RunState *> latestFinished(const QVector<const RunState *> &runs)
{
    QHash<QString, const RunState *> latest;
    for (const RunState *run : runs) {
        if (!run->finished)
            continue;
        const QString pupil =
            comparedName(run->name) + QChar(0) + comparedGroup(run->group) + QChar(0) + foldedText(run->topic);
        const RunState *&kept = latest[pupil];
        if (!kept || kept->finished->at < run->finished->at)
            kept = run;
    }
    QVector<const RunState *> list = qtcompat::toVector(latest.values());
    std::sort(list.begin(), list.end(), [](const RunState *a, const RunState *b) {
        return std::tie(a->name, a->group, a->id) < std::tie(b->name, b->group, b->id);
    });
    return list;
}

QVector<ItemStat> itemStats(const QVector<const RunState *> &runs)
{
    QVector<ItemStat> stats;
    QHash<QString, qsizetype> at; // page and item to its place in test order
    for (const RunState *run : latestFinished(runs)) {
        for (const DetailsItem &item : run->finished->items) {
            const QString key = item.page + QChar(0) + item.item;
            auto found = at.constFind(key);
            if (found == at.constEnd()) {
                found = at.insert(key, stats.size());
                stats.append({item.page, item.item, item.question, 0, 0, {}});
            }
            ItemStat &stat = stats[*found];
            ++stat.pupils;
            if (item.right)
                ++stat.right;
            else
                stat.wrong.append({run->name, run->group, item.answer});
        }
    }
    // Pages numbered in test order, as the records list their items.
    QHash<QString, int> pageNumbers;
    for (ItemStat &stat : stats) {
        if (!pageNumbers.contains(stat.page))
            pageNumbers.insert(stat.page, int(pageNumbers.size()) + 1);
        stat.number = pageNumbers.value(stat.page);
        stat.alone = stat.item == stat.page; // a page that is one question names its item after itself
    }
    std::stable_sort(stats.begin(), stats.end(), [](const ItemStat &a, const ItemStat &b) {
        return qint64(a.right) * b.pupils < qint64(b.right) * a.pupils; // a's share below b's
    });
    return stats;
}

} // namespace teacher
