// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pupil module: who is taking the test, asked for at start and written into the journal.

#include "result/journal.h"

#include <QString>

class Run;

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

// The journal line of this run's result, dated today.
QByteArray ResultRecord(Run &run);

// Appends the result line to the journal; safe on any thread. On failure nothing partial stays
// in the file and the text says, in Ukrainian, which file and why (and that the result waits
// on this computer, when `kept`).
journal::Outcome SaveResult(const QString &journalFile, const QByteArray &record, bool kept);

} // namespace Модуль1
