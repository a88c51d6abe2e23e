// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One run of the test: owns the six pages (each created hidden on first use, exactly once),
// moves the pupil through them in test order, keeps the score tally, and ends the program.

#include "control/inputguard.h"
#include "control/module1.h"
#include "pages/questions.h"
#include "result/details.h"
#include "result/f11.h"
#include "result/recordwriter.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QLocale>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <tuple>
#include <utility>

// The pages in the order the pupil meets them: the one list that says which page follows which.
template <class... P> struct PageOrder {
    using Slots = std::tuple<std::unique_ptr<P>...>;
    template <std::size_t I> using At = std::tuple_element_t<I, std::tuple<P...>>;
    static constexpr std::size_t size = sizeof...(P);
};
using TestOrder = PageOrder<F02, F03, F04, F05, F09, F11>;

class Run : public QObject, public PageHost {
    Q_OBJECT
public:
    // journalFile: where finished tests are recorded. locale: the user's regional settings,
    // used for every conversion of text to number.
    explicit Run(const QString &journalFile, const QLocale &locale = QLocale::system(), QObject *parent = nullptr);
    ~Run() override;

    // The page reference: creates and loads the page hidden on first use.
    template <class P> P &page()
    {
        auto &slot = std::get<std::unique_ptr<P>>(pages_);
        if (!slot) {
            slot = std::make_unique<P>(*this);
            created_ << slot->objectName();
            slot->Form_Load();
        }
        return *slot;
    }
    template <class P> P *existing() const { return std::get<std::unique_ptr<P>>(pages_).get(); }
    // The pages made so far, in test order.
    QList<Page *> existingPages() const;
    // Every page in test order, made where need be (for tools that look at all of them).
    QList<Page *> allPages();

    // Creates the startup page (its load asks who the pupil is) and shows it.
    void start();
    // The hand-over's last steps: hide `from`, show the page after it in test order.
    void next(Page &from) override;
    // A page is being shown: the last one shown is where a pupil who leaves left.
    void shown(Page &page) override { lastShown_ = &page; }

    // The score tally lives in the caption of the result page's label L_b, so the grade is
    // already on that page when it is shown; this is the one way to it.
    QLabel &tally() { return page<F11>().tallyLabel(); }
    void AddToTally(double points) override;
    void ConvertTallyToGrade() override;

    // Ends the program: every page closes, nothing of the run happens afterwards.
    void End() override;
    bool ending() const override { return ending_; }
    // An error escaped a handler: say so and end without a journal line.
    void fail(const QString &why) override;

    // The two prompts of the start page's load: the pupil's name, then the class.
    void AskPupil() override;
    Модуль1::Pupil &pupil() { return pupil_; }
    const Модуль1::Pupil &pupil() const { return pupil_; }
    const QLocale &locale() const override { return locale_; }
    const QString &journalFile() const { return journalFile_; }
    // Where a finished result waits until its journal has it; empty: nowhere (tools, benchmarks).
    const QString &outboxFile() const { return outboxFile_; }
    void setOutboxFile(const QString &file);
    // The program is about to end (a signal, a logout): a result on the screen goes to the
    // outbox now, unless it is there or saved already; a save under way finishes first.
    // When the last page shown is a question page, the details record says that the pupil left
    // there (the close box, a signal, a logout, an error). False when the result on the screen
    // is held nowhere: the program must not end then (the page says so).
    bool KeepShownResult();

    // The details record beside the journal: this run's, and its "finished" record as of now.
    QString detailsFile() const;
    QByteArray finishedDetails() const override;
    // The journal line of this run's result, dated with the clock's day as of now.
    QByteArray resultRecord() override;
    // The time every record of the run is stamped with: the system's clock, or the one a test sets.
    QDateTime now() const { return clock_(); }
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
    RecordWriter &recordWriter() override { return writer_; }
    void SaveResult() override { Модуль1::SaveResult(writer_, resultRecord(), finishedDetails()); }
    // Every graded item of the question pages, in test order, with its verdict.
    QList<GradedItem> gradedItems() const;
    frame::PictureCache &pictures() override { return pictures_; }
    const QStringList &creationOrder() const { return created_; }
    InputGuard &inputGuard() { return guard_; } // its tests set its clock

signals:
    void ended();

private:
    template <std::size_t I> void showAt();
    template <std::size_t I> void renderAhead(qreal ratio);
    details::Run detailsRun() const;
    // The first question page is shown: "started" goes to the details file, through the writer.
    void recordStart();
    void recordLeaving();

    QString journalFile_;
    QString outboxFile_;
    QLocale locale_;
    std::function<QDateTime()> clock_ = [] { return QDateTime::currentDateTime(); };
    Модуль1::Pupil pupil_;
    frame::PictureCache pictures_;
    QStringList created_;
    bool ending_ = false;
    // The details record: this run's id, when it started, the points before they became a grade.
    QString runId_;
    QDateTime startedAt_;
    QElapsedTimer sinceStart_;
    QString points_;
    Page *lastShown_ = nullptr;
    bool leavingRecorded_ = false;
    RecordWriter writer_;
    InputGuard guard_;
    TestOrder::Slots pages_;
};
