// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The details record: what the one-line journal cannot carry (when a pupil started, which item
// was answered how, how long it took, who left without finishing), written beside the journal
// DIR/1.txt as DIR/1.details.jsonl. UTF-8 JSON Lines, one compact object a line ending in LF,
// every object with "v": 1, "kind", "run", "at", "computer", "name", "class" and "topic":
//   started   when the first question page is first shown;
//   finished  with the journal line: "grade", "points", "seconds", "items";
//   left      when the program ends on a question page: "page", the last one shown.
// The records say everything in words (question and answer texts inside), so a reader needs no
// knowledge of the pages. The record writer (recordwriter.h) sends them through the journal's
// bytes layer and the outbox as it does journal lines, each to its own file.

#include "pages/gradeditem.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace details {

inline constexpr int kVersion = 1;

// The records' field names and kinds, for the writer here and the teacher's reader alike.
namespace field {
inline constexpr char kVersion[] = "v", kKind[] = "kind", kRun[] = "run", kAt[] = "at", kComputer[] = "computer",
                      kName[] = "name", kClass[] = "class", kTopic[] = "topic", kGrade[] = "grade",
                      kPoints[] = "points", kSeconds[] = "seconds", kItems[] = "items", kPage[] = "page",
                      kItem[] = "item", kQuestion[] = "question", kAnswer[] = "answer", kRight[] = "right";
} // namespace field
namespace kind {
inline constexpr char kStarted[] = "started", kFinished[] = "finished", kLeft[] = "left";
} // namespace kind

// DIR/<name>.details.jsonl beside the journal DIR/<name>.txt.
QString fileBeside(const QString &journalFile);

// One graded item as the pupil left it (made by the question pages).
using Item = GradedItem;

// Who and where: the same in every record of one run.
struct Run {
    QString id; // a random UUID for each run
    QString computer;
    QString name, group; // as the journal line has them
    QString topic;
};

// The local time with its offset from UTC, ISO 8601 to the millisecond ("2026-03-02T09:15:04.120+02:00").
QString timeText(const QDateTime &at);

// The records, each one line ending in LF.
QByteArray started(const Run &run, const QDateTime &at);
QByteArray finished(const Run &run, const QDateTime &at, int grade, double points, qint64 seconds,
                    const QList<Item> &items);
QByteArray left(const Run &run, const QDateTime &at, const QString &lastPage);

} // namespace details
