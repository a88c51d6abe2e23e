// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result page: the grade in large figures with the picture of its band, and "Вихід".
// Its label L_b also carries the score tally while the question pages run.

#include "pages/page.h"
#include "result/journal.h"

#include <QTimer>

#include <cstdint>

class F11 : public Page {
public:
    explicit F11(PageHost &run);
    static const frame::PageDesign &design();
    // Rendered ahead while the last question is answered: the band pictures the grade may reach.
    QStringList picturesAhead() const;

    // The label whose caption is the score tally; the run's one door to it.
    QLabel &tallyLabel() { return *L_b; }
    std::int16_t shownGrade() const { return ShownGrade; }

    void Form_Activate();

    // The program is about to end (a signal, a logout): waits for the record writer and makes
    // sure the result is held (saved, or kept in the outbox or a place after it). True when it
    // is; otherwise the page stays, saves as "Вихід" does and tells the pupil to call the
    // teacher when that fails too: the program must not end then.
    bool keepNow();
    // A save runs (off the window's thread): the page says so, "Вихід" and the close box wait.
    bool saving() const { return saving_; }

protected:
    void Com_Click() override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The record is made once, when the result is first shown, and kept in the outbox at once.
    void prepareRecord();
    // Asks the record writer to save; the outcome comes back to saved().
    void save();
    void saved(const journal::Outcome &outcome);

    QLabel *L_b;
    frame::Picture *Im_1_3, *Im_4_6, *Im_7_9, *Im_10_12;
    QLabel *savingNote_; // says that the result is being saved, and later what it waits for
    QTimer waitingNote_;
    std::int16_t ShownGrade = 0;
    bool prepared_ = false;
    bool saving_ = false;
    bool saved_ = false;
    bool failureShown_ = false;
    bool held_ = true; // after a failure: the result waits somewhere, so the page may close
};
