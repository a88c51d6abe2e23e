// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/reading/details.h"
#include "qtcompat/containers.h"

#include "result/details.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace teacher {

QString DetailsBook::journalKey(const QString &journal)
{
    return QDir::cleanPath(QFileInfo(journal).absoluteFilePath());
}

std::optional<DetailsRecord> parseDetails(const QString &line, QString *why)
{
    auto fail = [&](const QString &reason) -> std::optional<DetailsRecord> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8(), &error);
    if (!doc.isObject())
        return fail(QStringLiteral("не запис JSON"));
    const QJsonObject o = doc.object();
    if (o.value(QLatin1String(details::field::kVersion)).toInt() != details::kVersion)
        return fail(QStringLiteral("невідома версія запису"));
    DetailsRecord r;
    const QString kind = o.value(QLatin1String(details::field::kKind)).toString();
    if (kind == QLatin1String(details::kind::kStarted))
        r.kind = DetailsRecord::Kind::Started;
    else if (kind == QLatin1String(details::kind::kFinished))
        r.kind = DetailsRecord::Kind::Finished;
    else if (kind == QLatin1String(details::kind::kLeft))
        r.kind = DetailsRecord::Kind::Left;
    else
        return fail(QStringLiteral("невідомий вид запису"));
    r.run = o.value(QLatin1String(details::field::kRun)).toString();
    r.at = QDateTime::fromString(o.value(QLatin1String(details::field::kAt)).toString(), Qt::ISODateWithMs);
    if (r.run.isEmpty() || !r.at.isValid())
        return fail(QStringLiteral("немає позначки запуску чи часу"));
    r.computer = o.value(QLatin1String(details::field::kComputer)).toString();
    r.name = o.value(QLatin1String(details::field::kName)).toString();
    r.group = o.value(QLatin1String(details::field::kClass)).toString();
    r.topic = o.value(QLatin1String(details::field::kTopic)).toString();
    r.page = o.value(QLatin1String(details::field::kPage)).toString();
    if (r.kind == DetailsRecord::Kind::Finished) {
        // Each number a number of its kind and range, or the record is named as unreadable: a
        // grade of "5" read as none would leave its pupil's line without its details in silence,
        // and a count of seconds past what a whole number holds cannot be one.
        const QJsonValue grade = o.value(QLatin1String(details::field::kGrade));
        if (!grade.isDouble() || grade.toDouble() != std::floor(grade.toDouble()) || grade.toDouble() < 1 ||
            grade.toDouble() > 12)
            return fail(QStringLiteral("оцінка не ціле число від 1 до 12"));
        r.grade = grade.toInt();
        const QJsonValue points = o.value(QLatin1String(details::field::kPoints));
        if (!points.isUndefined() && (!points.isDouble() || !std::isfinite(points.toDouble())))
            return fail(QStringLiteral("бали не число"));
        r.points = points.toDouble();
        const QJsonValue seconds = o.value(QLatin1String(details::field::kSeconds));
        if (!seconds.isUndefined() &&
            (!seconds.isDouble() || !(seconds.toDouble() >= 0 && seconds.toDouble() <= kLongestSeconds)))
            return fail(QStringLiteral("тривалість не число секунд від 0 до %1").arg(kLongestSeconds));
        r.seconds = seconds.isUndefined() ? -1 : qint64(seconds.toDouble());
        const QJsonValue items = o.value(QLatin1String(details::field::kItems));
        if (!items.isUndefined() && !items.isArray())
            return fail(QStringLiteral("пункти не список"));
        for (const QJsonValue &v : items.toArray()) {
            const QJsonObject i = v.toObject();
            const QJsonValue pagePoints = i.value(QLatin1String(details::field::kPoints));
            if (!v.isObject() || !i.value(QLatin1String(details::field::kRight)).isBool() ||
                (!pagePoints.isUndefined() &&
                 !(pagePoints.isDouble() && pagePoints.toDouble() >= 0 && pagePoints.toDouble() <= 1000)))
                return fail(QStringLiteral("пункт %1 не прочитати").arg(r.items.size() + 1));
            r.items.append({i.value(QLatin1String(details::field::kPage)).toString(),
                            i.value(QLatin1String(details::field::kItem)).toString(),
                            i.value(QLatin1String(details::field::kQuestion)).toString(),
                            i.value(QLatin1String(details::field::kAnswer)).toString(),
                            i.value(QLatin1String(details::field::kRight)).toBool(),
                            pagePoints.isUndefined() ? -1 : pagePoints.toInt()});
        }
    }
    return r;
}

DetailsFile::DetailsFile(const QString &path) : journal_(path, GrowingJournal::Lines::Text, kLongestLine)
{
}

// A details file is read where it lies beside its journal: a link out of the journal's folder (to
// another pupil's folder elsewhere, to the system's files) is not followed, as a journal's is not.
static QString linkOut(const QString &path)
{
    const QFileInfo info(path);
    const QString folder = info.absoluteDir().canonicalPath();
    const QString real = info.canonicalFilePath();
    if (folder.isEmpty() || real.isEmpty() || real.startsWith(folder + QLatin1Char('/')))
        return {}; // missing, or in its place: the reader says what it finds
    return QStringLiteral("посилання веде за межі теки «%1», його не прочитано")
        .arg(QDir::toNativeSeparators(info.absolutePath()));
}

DetailsFile::Read DetailsFile::read(qint64 maxBytes)
{
    Read read;
    if (const QString why = linkOut(path()); !why.isEmpty()) {
        read.error = cannotRead(path(), why);
        return read;
    }
    const ReadResult result = journal_.read(maxBytes);
    read.error = result.error;
    read.fromStart = result.fromStart;
    read.more = result.more;
    for (const JournalLine &line : result.lines) {
        if (line.entry.incomplete)
            continue; // taken once its line end arrives
        QString why = line.entry.reason;
        if (why.isEmpty()) {
            if (std::optional<DetailsRecord> record = parseDetails(line.entry.text, &why)) {
                read.records.append(*record);
                continue;
            }
        }
        read.problems << QStringLiteral("%1:%2: %3").arg(QDir::toNativeSeparators(path())).arg(line.number).arg(why);
    }
    return read;
}

RunState::Status RunState::status(const QDateTime &now) const
{
    if (finished)
        return Status::Finished;
    if (left.isValid() ||
        (started.isValid() && (started.secsTo(now) >= kGivenUpAfterSecs || started.secsTo(now) < -kClockAheadSecs)))
        return Status::Left;
    return Status::Working;
}

qint64 RunState::minutesSoFar(const QDateTime &now) const
{
    return started.isValid() ? std::max<qint64>(0, started.secsTo(now) / 60) : 0;
}

QString statusText(const RunState &run, const QDateTime &now)
{
    switch (run.status(now)) {
    case RunState::Status::Working: return QStringLiteral("працює, %1 хв").arg(run.minutesSoFar(now));
    case RunState::Status::Left: return QStringLiteral("не завершив");
    case RunState::Status::Finished: break;
    }
    return {};
}

QString durationText(qint64 seconds)
{
    if (seconds < 0)
        return {};
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString clockText(qint64 seconds)
{
    if (seconds < 0)
        return {};
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString durationOf(const RunState *run)
{
    return run && run->finished ? durationText(run->finished->seconds) : QString();
}

QString finishTimeOf(const RunState *run)
{
    return run && run->finished ? run->finished->at.toString(QStringLiteral("HH:mm")) : QString();
}

void readWhole(DetailsBook &book, const QString &journal, const std::function<void(const QString &)> &report)
{
    const QString path = details::fileBeside(journal);
    if (!QFileInfo::exists(path))
        return; // a journal of a computer that writes no details (an older program)
    DetailsFile file(path);
    DetailsFile::Read read;
    do {
        read = file.read(4 << 20);
        if (!read.error.isEmpty())
            report(read.error);
        for (const QString &problem : std::as_const(read.problems))
            report(problem);
        for (const DetailsRecord &record : std::as_const(read.records))
            book.add(journal, record);
    } while (read.more && read.error.isEmpty());
}

void DetailsBook::add(const QString &journal, const DetailsRecord &record)
{
    RunState &run = runs_[journalKey(journal) + QChar(0) + record.run];
    if (run.id.isEmpty()) {
        run.id = record.run;
        run.journal = journalKey(journal);
        run.computer = record.computer;
        run.name = record.name;
        run.group = record.group;
        run.topic = record.topic;
    } else if (record.name != run.name || record.group != run.group) {
        // A run id vouches for the pupil its first record names: a later record of it under
        // another name or class is a copy made to lean a line on, and vouches for nothing.
        return;
    }
    switch (record.kind) {
    case DetailsRecord::Kind::Started: run.started = record.at; break;
    case DetailsRecord::Kind::Left:
        run.left = record.at;
        run.leftOn = record.page;
        break;
    case DetailsRecord::Kind::Finished:
        // A record delivered twice (kept on the pupil's computer and sent again) counts once.
        if (!run.finished)
            run.finished = record;
        break;
    }
}

void DetailsBook::forget(const QString &journal)
{
    qtcompat::removeIf(runs_, [key = journalKey(journal)](const auto &run) { return run.value().journal == key; });
}

QString ItemStat::label() const
{
    return alone ? QStringLiteral("Питання %1").arg(number)
                 : QStringLiteral("Питання %1, «%2»").arg(number).arg(question);
}

} // namespace teacher
