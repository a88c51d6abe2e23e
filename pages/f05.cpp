#include "questions.h"

#include "../control/run.h"

using namespace frame;

namespace {
const FrameValues kFrame{"F05", 8190, 6075, {"Line3", 480, 960, 7920, 960, 3}, {"Line4", 360, 1080, 8040, 1080, 2},
                       QStringLiteral("Далі"), 6600, 5520, 1};
}

F05::F05(Run &run)
    : Page(run, kFrame,
           {
               {Kind::Label, "Label1", QStringLiteral("Інтернет - це ..."), 480, 480, 8055, 615, Style::Question, false, 0},
               {Kind::Option, "op3", {}, 360, 3360, 195, 195, Style::Answer, false, 2},
               {Kind::Option, "op2", {}, 360, 2640, 195, 195, Style::Answer, false, 3},
               {Kind::Option, "op1", {}, 360, 1920, 195, 195, Style::Answer, false, 4},
               {Kind::Label, "Label4", QStringLiteral("всесвітня мережа"), 960, 3240, 2355, 390, Style::Answer, true, 5, false, "op3"},
               {Kind::Label, "Label3", QStringLiteral("глобальна мережа"), 960, 2520, 4455, 375, Style::Answer, false, 6, false, "op2"},
               {Kind::Label, "Label2", QStringLiteral("локальна мережа"), 960, 1800, 2355, 390, Style::Answer, true, 7, false, "op1"},
               {Kind::Option, "Option1", {}, 360, 4080, 195, 195, Style::Answer, false, 8},
               {Kind::Label, "Label5", QStringLiteral("регіональна мережа"), 960, 3960, 2700, 390, Style::Answer, true, 9, false, "Option1"},
               {Kind::Picture, "Image1", kImage1, 3480, 1320, 4500, 2700},
           }),
      op1(control<QRadioButton>("op1")), op2(control<QRadioButton>("op2")), op3(control<QRadioButton>("op3")),
      Option1(control<QRadioButton>("Option1"))
{
}

void F05::Com_Click()
{
    if (op3->isChecked())
        run.AddToTally(1);
    run.handOver<F09>(*this);
}
