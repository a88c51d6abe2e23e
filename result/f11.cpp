#include "f11.h"

#include "../control/run.h"
#include "../control/tally.h"

#include <QEvent>
#include <QMessageBox>

using namespace frame;

namespace {
const FrameValues kFrame{"F11", 8190, 7620, {"Line3", 240, 720, 8160, 720, 3}, {"Line4", 120, 840, 8280, 840, 2},
                       QStringLiteral("Вихід"), 240, 6960, 1};
constexpr unsigned kLightBlue = 0x00FF8080;
}

F11::F11(Run &run)
    : Page(run, kFrame,
           {
               {Kind::Picture, "Im_1_3", bandPicture(tally::Band::B1_3), 2160, 1560, 5910, 5460, Style::Answer, false, -1, true},
               {Kind::Picture, "Im_4_6", bandPicture(tally::Band::B4_6), 5160, 2070, 2820, 4380, Style::Answer, false, -1, true},
               {Kind::Picture, "Im_7_9", bandPicture(tally::Band::B7_9), 3600, 1455, 4080, 5625, Style::Answer, false, -1, true},
               {Kind::Picture, "Im_10_12", bandPicture(tally::Band::B10_12), 3120, 1020, 4680, 6480, Style::Answer, false, -1, true},
               {Kind::Label, "Label1", QStringLiteral("Ви отримали оцінку"), 2040, 0, 6015, 615, Style::Heading, false, 0},
               {Kind::Label, "L_b", QStringLiteral("0"), 1080, 4080, 975, 1335, Style::Grade, false, 2},
           },
           {
               {"Line1", 360, 3600, 2880, 3600, 3, kLightBlue},
               {"Line2", 360, 3840, 2880, 3840, 3, kLightBlue},
               {"Line5", 360, 5640, 2880, 5640, 3, kLightBlue},
               {"Line6", 360, 5880, 2880, 5880, 3, kLightBlue},
           }),
      L_b(control<QLabel>("L_b")), Im_1_3(control<Picture>("Im_1_3")), Im_4_6(control<Picture>("Im_4_6")),
      Im_7_9(control<Picture>("Im_7_9")), Im_10_12(control<Picture>("Im_10_12"))
{
}

QString F11::bandPicture(tally::Band band)
{
    switch (band) {
    case tally::Band::B1_3: return QStringLiteral(":/assets/im_1_3.svg");
    case tally::Band::B4_6: return QStringLiteral(":/assets/im_4_6.svg");
    case tally::Band::B7_9: return QStringLiteral(":/assets/im_7_9.svg");
    case tally::Band::B10_12: return QStringLiteral(":/assets/im_10_12.svg");
    case tally::Band::None: break;
    }
    return {};
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
        ShownGrade = tally::textToInt16(L_b->text(), run.locale);
    } catch (const tally::LimitError &) {
        return; // only the program writes L_b; a caption that is no grade shows no picture
    }
    // The floor rule: a grade of 0 reads 1 (ShownGrade keeps 0); its band is that of 1 to 3.
    if (ShownGrade == 0)
        L_b->setText(QString::number(tally::flooredGrade(ShownGrade)));
    const QString band = bandPicture(tally::bandOf(ShownGrade));
    for (Picture *picture : {Im_1_3, Im_4_6, Im_7_9, Im_10_12})
        if (!band.isEmpty() && picture->resource() == band)
            picture->show();
}

void F11::Com_Click()
{
    const journal::Outcome outcome = Модуль1::SaveResult(run);
    if (!outcome.ok) {
        // The result is not lost: the page stays, and "Вихід" tries again.
        QMessageBox::warning(this, kTitle, outcome.message);
        return;
    }
    run.End();
}
