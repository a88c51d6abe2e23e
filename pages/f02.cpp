#include "questions.h"

#include "../control/run.h"
#include "../control/tally.h"

using namespace frame;

namespace {
const FrameValues kFrame{"F02", 8190, 6075, {"Line3", 0, 480, 8160, 480, 3}, {"Line4", 120, 600, 8160, 600, 2},
                       QStringLiteral("Далі"), 6600, 5520, 0};
}

F02::F02(Run &run)
    : Page(run, kFrame,
           {
               {Kind::Label, "Label1", QStringLiteral("Встановити відповідність між мережами та їх призначенням"), 0, 120, 8175, 855, Style::QuestionCentred, false, 10},
               {Kind::Label, "Label4", QStringLiteral("1"), 120, 600, 255, 615, Style::Digit, false, 6},
               {Kind::Label, "Label6", QStringLiteral("2"), 120, 1560, 255, 615, Style::Digit, false, 5},
               {Kind::Label, "Label9", QStringLiteral("3"), 120, 2520, 255, 615, Style::Digit, false, 15},
               {Kind::Label, "Label13", QStringLiteral("4"), 120, 3480, 255, 615, Style::Digit, false, 21},
               {Kind::Label, "Label7", QStringLiteral("5"), 120, 4560, 255, 615, Style::Digit, false, 4},
               {Kind::Label, "Label14", QStringLiteral("локальна"), 480, 720, 1260, 390, Style::Answer, true, 11},
               {Kind::Label, "Label15", QStringLiteral("регіональна"), 480, 1680, 2055, 375, Style::Answer, false, 12},
               {Kind::Label, "Label8", QStringLiteral("персональна"), 480, 2640, 1815, 375, Style::Answer, false, 14},
               {Kind::Label, "Label12", QStringLiteral("всесвітня"), 480, 3600, 1815, 375, Style::Answer, false, 20},
               {Kind::Label, "Label16", QStringLiteral("глобальна"), 480, 4680, 1575, 375, Style::Answer, false, 13},
               {Kind::TextBox, "T1", {}, 2520, 720, 495, 480, Style::TextBox, false, 3},
               {Kind::TextBox, "T2", {}, 2520, 1680, 495, 480, Style::TextBox, false, 2},
               {Kind::TextBox, "T3", {}, 2520, 2640, 495, 480, Style::TextBox, false, 1},
               {Kind::TextBox, "T4", {}, 2520, 3600, 495, 480, Style::TextBox, false, 16},
               {Kind::TextBox, "T5", {}, 2520, 4680, 495, 480, Style::TextBox, false, 18},
               {Kind::Label, "Label5", QStringLiteral("сукупність комп'ютерів у межах декількох міст або країн"), 3120, 600, 4695, 855, Style::Answer, false, 7, false, "T1"},
               {Kind::Label, "Label3", QStringLiteral("сукупність комп'ютерів з'єднаних у межах міста, області, району"), 3120, 1560, 4695, 975, Style::Answer, false, 8, false, "T2"},
               {Kind::Label, "Label2", QStringLiteral("будується навколо пристроїв, які використовує одна людина"), 3120, 2520, 5505, 855, Style::Answer, false, 9, false, "T3"},
               {Kind::Label, "Label10", QStringLiteral("сукупність комп'ютерів з'єднаних у межах комп'ютерного  класу"), 3120, 3480, 5505, 855, Style::Answer, false, 17, false, "T4"},
               {Kind::Label, "Label11", QStringLiteral("пов'язує мережі всього світу"), 3120, 4560, 5505, 855, Style::Answer, false, 19, false, "T5"},
           }),
      T1(control<QLineEdit>("T1")), T2(control<QLineEdit>("T2")), T3(control<QLineEdit>("T3")),
      T4(control<QLineEdit>("T4")), T5(control<QLineEdit>("T5"))
{
}

void F02::Form_Load()
{
    Модуль1::AskPupilName(run.pupil);
    Модуль1::AskPupilGroup(run.pupil);
}

void F02::Com_Click()
{
    // Each box is judged by itself against the number of the kind its description names.
    const std::pair<QLineEdit *, double> key[] = {{T1, 5}, {T2, 2}, {T3, 3}, {T4, 1}, {T5, 4}};
    for (const auto &[box, right] : key) {
        const QString text = box->text();
        if (text.isEmpty())
            continue;
        bool isNumber = false;
        const double value = tally::textToDouble(text, run.locale, &isNumber);
        // Text that is not a number earns nothing, like a wrong number.
        if (isNumber && value == right)
            RightCount = RightCount.toInt() + std::int16_t(1);
    }
    const tally::PageScore score = tally::scorePage(RightCount.toInt(), 5);
    RightShare = score.RightShare;
    PagePoints = score.PagePoints;
    run.AddToTally(PagePoints);
    run.handOver<F03>(*this);
}
