#include "module1.h"

#include "result/journalline.h"
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

journal::Outcome SaveResult(const Run &run)
{
    const F11 *result = run.existing<F11>();
    const QString grade = result ? result->L_b->text() : QString();
    return journal::append(run.journalFile(),
                           journal::record(run.pupil.PupilName, run.pupil.PupilGroup,
                                           journal::dateText(QDate::currentDate(), run.locale), grade));
}

} // namespace Модуль1
