// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The result page: the grade in large figures with the picture of its band, and "Вихід".
// Its label L_b also carries the score tally while the question pages run.

#include "pages/page.h"
#include "result/journal.h"

#include <QTimer>

#include <cstdint>
#include <future>

class F11 : public Page {
public:
    explicit F11(Run &run);
    ~F11() override;
    static const frame::PageDesign &design();
    // Rendered ahead while the last question is answered: the band pictures the grade may reach.
    static QStringList picturesAhead(Run &run);

    // The label whose caption is the score tally; the run's one door to it.
    QLabel &tallyLabel() { return *L_b; }
    std::int16_t shownGrade() const { return ShownGrade; }

    void Form_Activate();

    // Makes sure the result waits in the outbox before the program ends (a signal, a logout),
    // unless it is saved already. Waits for a save under way and for the outbox write.
    void keepNow();
    // A save runs (off the window's thread): the page says so, "Вихід" and the close box wait.
    bool saving() const { return saving_; }

protected:
    void Com_Click() override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The record is made once, when the result is first shown, and kept in the outbox at once
    // on a thread of its own.
    void prepareRecord();
    // Appends the journal line on a thread of its own; the outcome comes back to saved().
    void save();
    void saved(const journal::Outcome &outcome);
    void saveDetails();

    QLabel *L_b;
    frame::Picture *Im_1_3, *Im_4_6, *Im_7_9, *Im_10_12;
    QLabel *savingNote_; // says that the result is being saved, and later what it waits for
    QTimer waitingNote_;
    std::int16_t ShownGrade = 0;
    QByteArray record_, id_;
    std::shared_future<bool> kept_; // the record is in the outbox
    std::future<void> saveTask_;
    // The details record's "finished": kept with the journal line when the result is first
    // shown; at the first "Вихід" it is made again with the time until then, and that one is
    // written (and takes the kept one's place in the outbox). A later "Вихід" tries again.
    struct DetailsSave {
        QByteArray record;
        QByteArray keptId;     // its entry in the outbox, marked delivered once it is written
        bool replaced = false; // the outbox holds this record, not the one kept at first
        bool written = false;
    };
    QByteArray detailsId_;
    std::shared_future<DetailsSave> detailsTask_;
    bool saving_ = false;
    bool saved_ = false;
    bool failureShown_ = false; // once told, the pupil may close: the result waits in the outbox
};
