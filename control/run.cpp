// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/run.h"

#include "control/tally.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

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
    : QObject(parent), journalFile_(journalFile), locale_(locale)
{
    // Pages and prompts answer only to input meant for them.
    qApp->installEventFilter(&guard_);
}

Run::~Run() = default;

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
    renderAhead<I + 1>(shown.devicePixelRatioF());
}

// Renders, a moment after a page is on the screen, the pictures the page after it will show.
template <std::size_t I> void Run::renderAhead(qreal ratio)
{
    QStringList upcoming;
    if constexpr (I < TestOrder::size) {
        using Upcoming = TestOrder::At<I>;
        if constexpr (requires { Upcoming::picturesAhead(*this); })
            upcoming = Upcoming::picturesAhead(*this);
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

void Run::AddToTally(double points)
{
    tally().setText(tally::addPoints(tally().text(), points, locale_));
}

void Run::ConvertTallyToGrade()
{
    tally().setText(tally::pointsToGrade(tally().text(), locale_));
}

void Run::End()
{
    if (ending_)
        return;
    ending_ = true;
    for (Page *page : existingPages())
        page->close();
    emit ended();
}

void Run::KeepShownResult()
{
    if (F11 *result = existing<F11>(); result && result->isVisible())
        result->keepNow();
}

void Run::fail(const QString &why)
{
    QMessageBox::critical(nullptr, frame::kTitle,
                          QStringLiteral("Сталася помилка, тест буде завершено без запису результату.\n\n%1").arg(why));
    End();
}
