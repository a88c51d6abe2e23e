#include "questions.h"

#include "../control/run.h"

using namespace frame;

namespace {
const FrameValues kFrame{"F03", 8565, 6075, {"Line3", 480, 720, 7800, 720, 3}, {"Line4", 360, 840, 7920, 840, 2},
                       QStringLiteral("Далі"), 7080, 5520, 4};
}

F03::F03(Run &run)
    : Page(run, kFrame,
           {
               {Kind::Label, "Label1", QStringLiteral("Комп'ютерна мережа - це..."), 480, 240, 3750, 390, Style::Question, true, 0},
               {Kind::Label, "Label2", QStringLiteral("багато комп'ютерів в одному класі"), 1080, 1320, 4785, 390, Style::Answer, true, 1, false, "op1"},
               {Kind::Label, "Label3", QStringLiteral("багато комп'ютерів на підприємстві"), 1080, 1800, 6615, 375, Style::Answer, false, 2, false, "op2"},
               {Kind::Label, "Label4", QStringLiteral("сукупність комп'ютерів з'єднаних лініями зв'язку"), 1080, 2280, 6765, 390, Style::Answer, true, 3, false, "op3"},
               {Kind::Option, "op1", {}, 480, 1440, 195, 195, Style::Answer, false, 5},
               {Kind::Option, "op2", {}, 480, 1920, 195, 195, Style::Answer, false, 6},
               {Kind::Option, "op3", {}, 480, 2400, 195, 195, Style::Answer, false, 7},
               {Kind::Option, "Op4", {}, 480, 2880, 195, 195, Style::Answer, false, 8},
               {Kind::Label, "Label5", QStringLiteral("сукупність комп'ютерів"), 1080, 2760, 3615, 375, Style::Answer, false, 9, false, "Op4"},
               {Kind::Picture, "Image1", kImage1, 120, 3240, 6840, 2700},
           }),
      op1(control<QRadioButton>("op1")), op2(control<QRadioButton>("op2")), op3(control<QRadioButton>("op3")),
      Op4(control<QRadioButton>("Op4"))
{
}

void F03::Com_Click()
{
    // Only the right option is read: a wrong choice and no choice are worth the same.
    if (op3->isChecked())
        run.AddToTally(1);
    run.handOver<F04>(*this);
}
