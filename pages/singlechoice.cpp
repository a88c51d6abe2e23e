// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/questions.h"

SingleChoicePage::SingleChoicePage(PageHost &run, const frame::PageDesign &design, const char *rightMark)
    : Page(run, design), rightMark_(rightMark)
{
}

QList<GradedItem> SingleChoicePage::gradedItems() const
{
    QString chosen;
    for (const frame::Control &c : pageDesign().controls)
        if (c.kind == frame::Kind::Option && control<QRadioButton>(c.name)->isChecked())
            chosen = textBeside(c.name);
    return {{objectName(), objectName(), questionText(), chosen, control<QRadioButton>(rightMark_)->isChecked(),
             std::nullopt}};
}

void SingleChoicePage::Com_Click()
{
    // Only the right option is read: a wrong choice and no choice are worth the same.
    if (gradedItems().front().right)
        run.AddToTally(1);
    run.next(*this);
}
