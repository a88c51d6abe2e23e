#include "questions.h"

#include "../control/run.h"
#include "../control/tally.h"

using namespace frame;

namespace {
const FrameValues kFrame{"F09", 8190, 6075, {"Line3", 240, 480, 7200, 480, 3}, {"Line4", 120, 600, 7320, 600, 2},
                       QStringLiteral("Далі"), 6600, 5520, 2};
}

F09::F09(Run &run)
    : Page(run, kFrame,
           {
               {Kind::Label, "Label1", QStringLiteral("Для підключення комп'ютерів до мережі необхідні:"), 240, 120, 7335, 615, Style::Question, false, 0},
               {Kind::Label, "Label2", QStringLiteral("мережева плата"), 1200, 1080, 2190, 390, Style::Answer, true, 1, false, "C1"},
               {Kind::Check, "C1", {}, 840, 1200, 200, 200, Style::Answer, false, 3},
               {Kind::Check, "C6", {}, 3840, 2160, 200, 200, Style::Answer, false, 4},
               {Kind::Check, "C5", {}, 3840, 1680, 200, 200, Style::Answer, false, 5},
               {Kind::Check, "C4", {}, 3840, 1200, 200, 200, Style::Answer, false, 6},
               {Kind::Check, "C2", {}, 840, 1680, 200, 200, Style::Answer, false, 7},
               {Kind::Check, "C3", {}, 840, 2160, 200, 200, Style::Answer, false, 8},
               {Kind::Label, "Label3", QStringLiteral("миша"), 1200, 1560, 765, 390, Style::Answer, true, 9, false, "C2"},
               {Kind::Label, "Label4", QStringLiteral("клавіатура"), 1200, 2040, 1410, 390, Style::Answer, true, 10, false, "C3"},
               {Kind::Label, "Label5", QStringLiteral("програмне забезпечення"), 4200, 1080, 3345, 390, Style::Answer, true, 11, false, "C4"},
               {Kind::Label, "Label7", QStringLiteral("лінії зв'язку (кабелі)"), 4200, 2040, 2670, 390, Style::Answer, true, 12, false, "C6"},
               {Kind::Label, "Label10", QStringLiteral("калькулятор"), 4200, 1560, 1665, 390, Style::Answer, true, 13, false, "C5"},
               {Kind::Picture, "Image1", kImage1, 3000, 3000, 1425, 2250},
           }),
      C1(control<QCheckBox>("C1")), C2(control<QCheckBox>("C2")), C3(control<QCheckBox>("C3")),
      C4(control<QCheckBox>("C4")), C5(control<QCheckBox>("C5")), C6(control<QCheckBox>("C6"))
{
}

void F09::Com_Click()
{
    // A box is right only in exactly its right state; a greyed box never is.
    const std::pair<QCheckBox *, Qt::CheckState> key[] = {{C1, Qt::Checked},   {C2, Qt::Unchecked},
                                                          {C3, Qt::Unchecked}, {C4, Qt::Checked},
                                                          {C5, Qt::Unchecked}, {C6, Qt::Checked}};
    for (const auto &[box, right] : key)
        if (box->checkState() == right)
            RightCount = RightCount.toInt() + std::int16_t(1);
    const tally::PageScore score = tally::scorePage(RightCount.toInt(), 6);
    RightShare = score.RightShare;
    PagePoints = score.PagePoints;
    run.AddToTally(PagePoints);
    run.ConvertTallyToGrade();
    run.handOver<F11>(*this);
}
