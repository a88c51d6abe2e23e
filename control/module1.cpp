// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/module1.h"

#include "control/run.h"
#include "result/journalline.h"

#include <QInputDialog>
#include <QLineEdit>

namespace Модуль1 {

static QString ask(const QString &prompt)
{
    QInputDialog dialog;
    dialog.setWindowTitle(kPromptTitle);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    // A name or class fits a short journal line; the box visibly stops taking more.
    if (auto *box = dialog.findChild<QLineEdit *>())
        box->setMaxLength(kMaxTyped);
    // Cancel, Escape and the close box all give an empty text; the test goes on with it.
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

void AskPupilName(Pupil &pupil)
{
    pupil.PupilName = ask(kNamePrompt);
}

void AskPupilGroup(Pupil &pupil)
{
    pupil.PupilGroup = ask(kGroupPrompt);
}

QByteArray ResultRecord(Run &run)
{
    const Pupil &pupil = run.pupil();
    const QString date = journal::dateText(QDate::currentDate(), run.locale());
    return journal::record(pupil.PupilName, pupil.PupilGroup, date, run.tally().text());
}

journal::Outcome SaveResult(const QString &journalFile, const QByteArray &record, bool kept)
{
    return journal::append(journalFile, record, journalfile::kLockWait,
                           kept ? journal::KeptAt::ThisComputer : journal::KeptAt::Nowhere);
}

} // namespace Модуль1
