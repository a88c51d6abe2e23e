#include "module1.h"

#include "../result/journal.h"
#include "run.h"

#include <QInputDialog>

namespace Модуль1 {

static QString ask(const QString &prompt)
{
    // Cancel, Escape and the close box all give an empty text; the test goes on with it.
    return QInputDialog::getText(nullptr, kPromptTitle, prompt, QLineEdit::Normal, QString());
}

void AskPupilName(Pupil &pupil)
{
    pupil.PupilName = ask(kNamePrompt);
}

void AskPupilGroup(Pupil &pupil)
{
    pupil.PupilGroup = ask(kGroupPrompt);
}

SaveOutcome SaveResult(const Run &run)
{
    const F11 *result = run.existing<F11>();
    const QString grade = result ? result->L_b->text() : QString();
    const QString text = journal::line(run.pupil.PupilName, run.pupil.PupilGroup,
                                       journal::dateText(QDate::currentDate(), run.locale), grade);
    const journal::Outcome outcome = journal::append(run.journalDrive(), journal::encode(text + QStringLiteral("\r\n")));
    return {outcome.ok, outcome.message};
}

} // namespace Модуль1
