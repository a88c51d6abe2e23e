// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pupil module: who is taking the test, asked for at start and written into the journal.

#include <QByteArray>
#include <QDate>
#include <QLocale>
#include <QString>

class RecordWriter;

namespace Модуль1 {

struct Pupil {
    QString PupilName;  // exactly as typed; empty when the prompt was cancelled
    QString PupilGroup; // exactly as typed
};

inline const QString kPromptTitle = QStringLiteral("Введення даних про учня");
inline const QString kNamePrompt = QStringLiteral("Введіть ваше прізвище та ім'я");
inline const QString kGroupPrompt = QStringLiteral("Введіть групу або клас");
constexpr int kMaxTyped = 255; // characters a prompt takes

void AskPupilName(Pupil &pupil);
void AskPupilGroup(Pupil &pupil);

// The journal line of this pupil's result (`tally`: the grade as the result page shows it),
// dated today in the user's regional format.
QByteArray ResultRecord(const Pupil &pupil, const QLocale &locale, const QString &tally, const QDate &today);

// Has the result line appended to the journal, with the run's "finished" details record as of
// now: queued on the run's record writer, whose `saved` signal tells the result page the outcome.
void SaveResult(RecordWriter &writer, const QByteArray &line, const QByteArray &finishedDetails);

} // namespace Модуль1
