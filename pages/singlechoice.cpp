// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/run.h"
#include "pages/questions.h"

SingleChoicePage::SingleChoicePage(Run &run, const frame::PageDesign &design, const char *rightMark)
    : Page(run, design), rightMark_(rightMark)
{
}

void SingleChoicePage::Com_Click()
{
    // Only the right option is read: a wrong choice and no choice are worth the same.
    if (control<QRadioButton>(rightMark_)->isChecked())
        run.AddToTally(1);
    run.next(*this);
}
