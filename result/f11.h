// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result page: the grade in large figures with the picture of its band, and "Вихід".
// Its label L_b also carries the score tally while the question pages run.

#include "pages/page.h"

#include <cstdint>

class F11 : public Page {
public:
    explicit F11(Run &run);
    static const frame::PageDesign &design();
    // Rendered ahead while the last question is answered: the band pictures the grade may reach.
    static QStringList picturesAhead(Run &run);

    // The label whose caption is the score tally; the run's one door to it.
    QLabel &tallyLabel() { return *L_b; }
    std::int16_t shownGrade() const { return ShownGrade; }

    void Form_Activate();

protected:
    void Com_Click() override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Writes the journal line; says why when it cannot, and the page stays.
    bool save();

    QLabel *L_b;
    frame::Picture *Im_1_3, *Im_4_6, *Im_7_9, *Im_10_12;
    std::int16_t ShownGrade = 0;
    bool failureShown_ = false; // once told, the pupil may close without a line
};
