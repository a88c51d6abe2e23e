#include "control/module1.h"

#include "control/run.h"
#include "result/journalline.h"

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

journal::Outcome SaveResult(Run &run)
{
    const Pupil &pupil = run.pupil();
    const QString date = journal::dateText(QDate::currentDate(), run.locale());
    return journal::append(run.journalFile(),
                           journal::record(pupil.PupilName, pupil.PupilGroup, date, run.tally().text()));
}

} // namespace Модуль1
