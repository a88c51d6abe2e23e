// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/module1.h"

#include "result/journalline.h"
#include "result/recordwriter.h"

#include <QDate>
#include <QInputDialog>
#include <QLineEdit>
#include <QValidator>

namespace Модуль1 {

namespace {
// The box's length limit counts UTF-16 units, so it can cut a character in two: an emoji typed
// or pasted as the last one that fits keeps only its first half. Half a character is taken out
// again (the record would hold a lone surrogate, which is no text), so the box always holds
// whole characters.
class WholeCharacters : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &text, int &pos) const override
    {
        for (qsizetype i = 0; i < text.size();) {
            if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
                i += 2;
            } else if (text.at(i).isSurrogate()) {
                text.remove(i, 1);
                if (pos > i)
                    --pos;
            } else {
                ++i;
            }
        }
        return Acceptable;
    }
};
} // namespace

static QString ask(const QString &prompt)
{
    QInputDialog dialog;
    dialog.setWindowTitle(kPromptTitle);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    // A name or class fits a short journal line; the box visibly stops taking more.
    if (auto *box = dialog.findChild<QLineEdit *>()) {
        box->setMaxLength(kMaxTyped);
        box->setValidator(new WholeCharacters(box));
    }
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

QByteArray ResultRecord(const Pupil &pupil, const QLocale &locale, const QString &tally, const QDate &today)
{
    return journal::record(pupil.PupilName, pupil.PupilGroup, journal::dateText(today, locale), tally);
}

void SaveResult(RecordWriter &writer, const QByteArray &line, const QByteArray &finishedDetails)
{
    // The line is made now: its date is the day it is written, also after midnight on the result page.
    writer.save(line, finishedDetails);
}

} // namespace Модуль1
