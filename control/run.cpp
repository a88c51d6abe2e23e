// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/run.h"

#include "pages/tally.h"
#include "result/journalline.h"

#include <QApplication>
#include <QMessageBox>
#include <QSysInfo>
#include <QTimer>
#include <QUuid>

namespace {
template <class F, std::size_t... I> void visitPlaces(F &f, std::index_sequence<I...>)
{
    (f.template operator()<I>(), ...);
}
// Calls f.operator()<I>() for each place I in test order.
template <class F> void forEachPlace(F &&f)
{
    visitPlaces(f, std::make_index_sequence<TestOrder::size>());
}
} // namespace

Run::Run(const QString &journalFile, const QLocale &locale, QObject *parent)
    : QObject(parent), journalFile_(journalFile), locale_(locale), writer_(journalFile)
{
    // Pages and prompts answer only to input meant for them.
    qApp->installEventFilter(&guard_);
}

// The pages go first (members after the writer), then the writer finishes what was asked of it.
Run::~Run() = default;

void Run::setOutboxFile(const QString &file)
{
    outboxFile_ = file;
    writer_.setOutboxFile(file);
}

QList<Page *> Run::existingPages() const
{
    QList<Page *> pages;
    forEachPlace([&]<std::size_t I>() {
        if (Page *p = std::get<I>(pages_).get())
            pages << p;
    });
    return pages;
}

QList<Page *> Run::allPages()
{
    QList<Page *> pages;
    forEachPlace([&]<std::size_t I>() { pages << &page<TestOrder::At<I>>(); });
    return pages;
}

void Run::start()
{
    showAt<0>();
}

void Run::next(Page &from)
{
    from.Hide();
    forEachPlace([&]<std::size_t I>() {
        if constexpr (I + 1 < TestOrder::size)
            if (std::get<I>(pages_).get() == &from)
                showAt<I + 1>();
    });
}

template <std::size_t I> void Run::showAt()
{
    Page &shown = page<TestOrder::At<I>>();
    shown.Show();
    if constexpr (I == 0)
        recordStart();
    renderAhead<I + 1>(shown.devicePixelRatioF());
}

// Renders, a moment after a page is on the screen, the pictures the page after it will show.
template <std::size_t I> void Run::renderAhead(qreal ratio)
{
    QStringList upcoming;
    if constexpr (I < TestOrder::size) {
        using Upcoming = TestOrder::At<I>;
        if constexpr (requires(const Upcoming &p) { p.picturesAhead(); })
            upcoming = page<Upcoming>().picturesAhead();
        else
            upcoming = Upcoming::design().shownPictures();
    }
    // Late enough that the page's own first paint has happened; long before a pupil answers.
    // Once the last page is up, what was rendered ahead and not used is let go.
    QTimer::singleShot(150, this, [this, upcoming, ratio] {
        if (upcoming.isEmpty())
            pictures_.clear();
        for (const QString &resource : upcoming)
            pictures_.prepare(resource, ratio);
    });
}

void Run::AskPupil()
{
    Модуль1::AskPupilName(pupil_);
    Модуль1::AskPupilGroup(pupil_);
}

void Run::AddToTally(double points)
{
    tally().setText(tally::addPoints(tally().text(), points, locale_));
}

void Run::ConvertTallyToGrade()
{
    points_ = tally().text();
    tally().setText(tally::pointsToGrade(tally().text(), locale_));
}

void Run::End()
{
    if (ending_)
        return;
    ending_ = true;
    recordLeaving();
    for (Page *page : existingPages())
        page->close();
    emit ended();
}

bool Run::KeepShownResult()
{
    recordLeaving();
    if (F11 *result = existing<F11>(); result && result->isVisible())
        return result->keepNow();
    writer_.flush(); // "left" is written, or kept, before the program ends
    return true;
}

void Run::fail(const QString &why)
{
    QMessageBox::critical(nullptr, frame::kTitle,
                          QStringLiteral("Сталася помилка, тест буде завершено без запису результату.\n\n%1").arg(why));
    End();
}

QString Run::detailsFile() const
{
    return details::fileBeside(journalFile_);
}

details::Run Run::detailsRun() const
{
    return {runId_, QSysInfo::machineHostName(), journal::asTyped(pupil_.PupilName),
            journal::asTyped(pupil_.PupilGroup), journal::kTopicName};
}

QList<GradedItem> Run::gradedItems() const
{
    QList<GradedItem> items;
    forEachPlace([&]<std::size_t I>() {
        using P = TestOrder::At<I>;
        if constexpr (requires(const P &p) { p.gradedItems(); })
            if (const P *p = existing<P>())
                items += p->gradedItems();
    });
    return items;
}

void Run::recordStart()
{
    runId_ = QUuid::createUuid().toString(QUuid::WithoutBraces);
    startedAt_ = now();
    sinceStart_.start();
    writer_.started(details::started(detailsRun(), startedAt_));
}

QByteArray Run::finishedDetails() const
{
    const F11 *result = existing<F11>();
    bool isNumber = false;
    const double points = tally::textToDouble(points_, locale_, &isNumber);
    return details::finished(detailsRun(), now(), result ? tally::flooredGrade(result->shownGrade()) : 0,
                             isNumber ? points : 0, sinceStart_.isValid() ? sinceStart_.elapsed() / 1000 : 0,
                             gradedItems());
}

void Run::recordLeaving()
{
    if (leavingRecorded_ || !sinceStart_.isValid() || !lastShown_ || lastShown_ == existing<F11>())
        return;
    leavingRecorded_ = true;
    // The program is about to end: a short wait for the lock, after which the record waits in
    // the outbox for the next start. "started" is ahead of it in the writer's queue.
    writer_.left(details::left(detailsRun(), now(), lastShown_->objectName()));
    writer_.flush();
}

QByteArray Run::resultRecord()
{
    return Модуль1::ResultRecord(pupil_, locale_, tally().text(), now().date());
}
