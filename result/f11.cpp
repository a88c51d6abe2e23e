// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/f11.h"

#include "result/bands.h"
#include "result/recordwriter.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMessageBox>

using namespace frame;

namespace {
constexpr unsigned kLightBlue = 0x00FF8080;
const QString kSaving = QStringLiteral("Результат зберігається…");
const QString kWaiting = QStringLiteral("Результат зберігається… Журнал зайнятий іншою програмою чи комп'ютером, "
                                        "чекаємо, поки він звільниться.");
constexpr int kWaitingAfterMs = 1000;
} // namespace

const PageDesign &F11::design()
{
    using tally::Band;
    // clang-format off
    static const PageDesign design{.name = "F11", .width = 8190, .height = 7620, .line3 = {"Line3", 240, 720, 8160, 720, 3}, .line4 = {"Line4", 120, 840, 8280, 840, 2}, .com = {QStringLiteral("Вихід"), 240, 6960, 1}, .controls = {
        {.kind = Kind::Picture, .name = "Im_1_3", .text = QStringLiteral("Козак плаче, у хмаринці: «Ти був неуважним під час подорожі!!!»"), .box = {2160, 1560, 5910, 5460}, .hidden = true, .resource = bands::picture(Band::B1_3)},
        {.kind = Kind::Picture, .name = "Im_4_6", .text = QStringLiteral("Здивований козак у вишиванці, руки в боки"), .box = {5160, 2070, 2820, 4380}, .hidden = true, .resource = bands::picture(Band::B4_6)},
        {.kind = Kind::Picture, .name = "Im_7_9", .text = QStringLiteral("Козак у малиновому жупані простягає букет квітів"), .box = {3600, 1455, 4080, 5625}, .hidden = true, .resource = bands::picture(Band::B7_9)},
        {.kind = Kind::Picture, .name = "Im_10_12", .text = QStringLiteral("Усміхнений козак тримає над головою табличку «Молодець»"), .box = {3120, 1020, 4680, 6480}, .hidden = true, .resource = bands::picture(Band::B10_12)},
        {.kind = Kind::Label, .name = "Label1", .text = QStringLiteral("Ви отримали оцінку"), .box = {2040, 0, 6015, 615}, .style = Style::Heading, .tab = 0},
        {.kind = Kind::Label, .name = "L_b", .text = QStringLiteral("0"), .box = {1080, 4080, 975, 1335}, .style = Style::Grade, .tab = 2},
    }, .moreRules = {
        {"Line1", 360, 3600, 2880, 3600, 3, kLightBlue},
        {"Line2", 360, 3840, 2880, 3840, 3, kLightBlue},
        {"Line5", 360, 5640, 2880, 5640, 3, kLightBlue},
        {"Line6", 360, 5880, 2880, 5880, 3, kLightBlue},
    }};
    // clang-format on
    return design;
}

F11::F11(PageHost &run)
    : Page(run, design()), L_b(control<QLabel>("L_b")), Im_1_3(control<Picture>("Im_1_3")),
      Im_4_6(control<Picture>("Im_4_6")), Im_7_9(control<Picture>("Im_7_9")), Im_10_12(control<Picture>("Im_10_12")),
      savingNote_(new QLabel(this))
{
    // Beside "Вихід", over the foot of the picture: shown only while a save runs.
    savingNote_->setObjectName(QStringLiteral("savingNote"));
    savingNote_->setText(kSaving);
    savingNote_->setGeometry(px(1950), px(6990), px(6090), px(570));
    savingNote_->setWordWrap(true);
    savingNote_->setAutoFillBackground(true);
    savingNote_->setStyleSheet(QStringLiteral("QLabel { background: white; color: navy; font-size: 14px; }"));
    savingNote_->hide();
    waitingNote_.setSingleShot(true);
    waitingNote_.setInterval(kWaitingAfterMs);
    connect(&waitingNote_, &QTimer::timeout, this, [this] { savingNote_->setText(kWaiting); });
    connect(&run.recordWriter(), &RecordWriter::saved, this, &F11::saved);
}

QStringList F11::picturesAhead() const
{
    return bands::likelyPictures(L_b->text(), run.locale());
}

void F11::changeEvent(QEvent *event)
{
    Page::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !run.ending())
        Form_Activate();
}

void F11::Form_Activate()
{
    try {
        ShownGrade = tally::textToInt16(L_b->text(), run.locale());
    } catch (const tally::LimitError &) {
        return; // only the program writes L_b; a caption that is no grade shows no picture
    }
    // The floor rule: a grade of 0 reads 1 (ShownGrade keeps 0); its band is that of 1 to 3.
    if (ShownGrade == 0)
        L_b->setText(QString::number(tally::flooredGrade(ShownGrade)));
    const QString band = bands::picture(tally::bandOf(ShownGrade));
    for (Picture *picture : {Im_1_3, Im_4_6, Im_7_9, Im_10_12})
        if (!band.isEmpty() && picture->resource() == band)
            picture->show();
    prepareRecord();
}

void F11::prepareRecord()
{
    if (prepared_)
        return;
    prepared_ = true;
    run.recordWriter().finished(run.resultRecord(), run.finishedDetails());
}

bool F11::keepNow()
{
    prepareRecord();
    if (saved_ || run.recordWriter().flush())
        return true;
    if (!saving_)
        save(); // nothing holds the result: the journal once more, and the pupil is told
    return false;
}

void F11::save()
{
    if (saving_ || saved_)
        return;
    prepareRecord();
    saving_ = true;
    QGuiApplication::setOverrideCursor(Qt::BusyCursor); // another computer may hold the journal for a while
    savingNote_->setText(kSaving);
    savingNote_->show();
    waitingNote_.start();
    run.SaveResult();
}

void F11::saved(const journal::Outcome &outcome)
{
    saving_ = false;
    saved_ = outcome.ok;
    held_ = outcome.held;
    waitingNote_.stop();
    savingNote_->hide();
    QGuiApplication::restoreOverrideCursor();
    if (run.ending())
        return;
    if (outcome.ok) {
        run.End();
        return;
    }
    // The page stays and "Вихід" tries again. The message says where the result waits, or that
    // nothing holds it and the teacher must see the grade before the page goes.
    QMessageBox box(QMessageBox::Warning, kTitle, outcome.message, QMessageBox::Ok, this);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse |
                                Qt::TextSelectableByKeyboard); // the file and reason can be copied
    box.exec();
    failureShown_ = true;
}

void F11::Com_Click()
{
    save();
}

void F11::closeEvent(QCloseEvent *event)
{
    // The close box of a finished test records it as "Вихід" does, and does nothing while a
    // save runs (never a second line). After a failure has been shown it ends where the
    // result waits somewhere for the next start; where nothing holds it, it tries again.
    if (run.ending() || (failureShown_ && !saving_ && held_)) {
        Page::closeEvent(event);
        return;
    }
    event->ignore();
    save();
}
