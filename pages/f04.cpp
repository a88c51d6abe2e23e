#include "questions.h"

#include "../control/run.h"

using namespace frame;

namespace {
const FrameValues kFrame{"F04", 8190, 6075, {"Line3", 240, 600, 7800, 600, 3}, {"Line4", 120, 720, 7920, 720, 2},
                       QStringLiteral("Далі"), 6600, 5520, 1};
}

F04::F04(Run &run)
    : Page(run, kFrame,
           {
               {Kind::Label, "Label1", QStringLiteral("Пристрій зображений на малюнку має назву:"), 240, 120, 8295, 615, Style::Question, false, 0},
               {Kind::Option, "Op4", {}, 720, 4680, 195, 195, Style::Answer, false, 2},
               {Kind::Option, "op3", {}, 720, 4200, 195, 195, Style::Answer, false, 3},
               {Kind::Option, "op2", {}, 720, 3720, 195, 195, Style::Answer, false, 4},
               {Kind::Option, "op1", {}, 720, 3240, 195, 195, Style::Answer, false, 5},
               {Kind::Label, "Label5", QStringLiteral("мережева плата"), 1320, 4560, 3615, 375, Style::Answer, false, 6, false, "Op4"},
               {Kind::Label, "Label4", QStringLiteral("мережа"), 1320, 4080, 1005, 390, Style::Answer, true, 7, false, "op3"},
               {Kind::Label, "Label3", QStringLiteral("лінія зв'язку"), 1320, 3600, 4455, 375, Style::Answer, false, 8, false, "op2"},
               {Kind::Label, "Label2", QStringLiteral("локальна мережа"), 1320, 3120, 2355, 390, Style::Answer, true, 9, false, "op1"},
               {Kind::Picture, "Image1", kImage1, 1800, 840, 4500, 2145},
           }),
      op1(control<QRadioButton>("op1")), op2(control<QRadioButton>("op2")), op3(control<QRadioButton>("op3")),
      Op4(control<QRadioButton>("Op4"))
{
}

void F04::Com_Click()
{
    if (Op4->isChecked())
        run.AddToTally(1);
    run.handOver<F05>(*this);
}
