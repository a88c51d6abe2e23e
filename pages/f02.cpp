// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Matching: five network kinds, numbered 1 to 5, against five descriptions, each with a box for the number.
#include "pages/questions.h"

#include <QLineEdit>

using namespace frame;

const PageDesign &F02::design()
{
    // clang-format off
    static const PageDesign design{.name = "F02", .width = 8190, .height = 6075, .line3 = {"Line3", 0, 480, 8160, 480, 3}, .line4 = {"Line4", 120, 600, 8160, 600, 2}, .com = {QStringLiteral("Далі"), 6600, 5520, 0}, .controls = {
        {.kind = Kind::Label, .name = "Label1", .text = QStringLiteral("Встановити відповідність між мережами та їх призначенням"), .box = {0, 120, 8175, 855}, .style = Style::QuestionCentred, .tab = 10},
        {.kind = Kind::Label, .name = "Label4", .text = QStringLiteral("1"), .box = {120, 600, 255, 615}, .style = Style::Digit, .tab = 6},
        {.kind = Kind::Label, .name = "Label6", .text = QStringLiteral("2"), .box = {120, 1560, 255, 615}, .style = Style::Digit, .tab = 5},
        {.kind = Kind::Label, .name = "Label9", .text = QStringLiteral("3"), .box = {120, 2520, 255, 615}, .style = Style::Digit, .tab = 15},
        {.kind = Kind::Label, .name = "Label13", .text = QStringLiteral("4"), .box = {120, 3480, 255, 615}, .style = Style::Digit, .tab = 21},
        {.kind = Kind::Label, .name = "Label7", .text = QStringLiteral("5"), .box = {120, 4560, 255, 615}, .style = Style::Digit, .tab = 4},
        {.kind = Kind::Label, .name = "Label14", .text = QStringLiteral("локальна"), .box = {480, 720, 1260, 390}, .autoSize = true, .tab = 11},
        {.kind = Kind::Label, .name = "Label15", .text = QStringLiteral("регіональна"), .box = {480, 1680, 2055, 375}, .tab = 12},
        {.kind = Kind::Label, .name = "Label8", .text = QStringLiteral("персональна"), .box = {480, 2640, 1815, 375}, .tab = 14},
        {.kind = Kind::Label, .name = "Label12", .text = QStringLiteral("всесвітня"), .box = {480, 3600, 1815, 375}, .tab = 20},
        {.kind = Kind::Label, .name = "Label16", .text = QStringLiteral("глобальна"), .box = {480, 4680, 1575, 375}, .tab = 13},
        {.kind = Kind::TextBox, .name = "T1", .box = {2520, 720, 495, 480}, .style = Style::TextBox, .tab = 3},
        {.kind = Kind::TextBox, .name = "T2", .box = {2520, 1680, 495, 480}, .style = Style::TextBox, .tab = 2},
        {.kind = Kind::TextBox, .name = "T3", .box = {2520, 2640, 495, 480}, .style = Style::TextBox, .tab = 1},
        {.kind = Kind::TextBox, .name = "T4", .box = {2520, 3600, 495, 480}, .style = Style::TextBox, .tab = 16},
        {.kind = Kind::TextBox, .name = "T5", .box = {2520, 4680, 495, 480}, .style = Style::TextBox, .tab = 18},
        {.kind = Kind::Label, .name = "Label5", .text = QStringLiteral("сукупність комп'ютерів у межах декількох міст або країн"), .box = {3120, 600, 4695, 855}, .tab = 7, .describes = "T1"},
        {.kind = Kind::Label, .name = "Label3", .text = QStringLiteral("сукупність комп'ютерів з'єднаних у межах міста, області, району"), .box = {3120, 1560, 4695, 975}, .tab = 8, .describes = "T2"},
        {.kind = Kind::Label, .name = "Label2", .text = QStringLiteral("будується навколо пристроїв, які використовує одна людина"), .box = {3120, 2520, 5505, 855}, .tab = 9, .describes = "T3"},
        {.kind = Kind::Label, .name = "Label10", .text = QStringLiteral("сукупність комп'ютерів з'єднаних у межах комп'ютерного  класу"), .box = {3120, 3480, 5505, 855}, .tab = 17, .describes = "T4"},
        {.kind = Kind::Label, .name = "Label11", .text = QStringLiteral("пов'язує мережі всього світу"), .box = {3120, 4560, 5505, 855}, .tab = 19, .describes = "T5"},
    }};
    // clang-format on
    return design;
}

namespace {
// The answer key: the number of the kind each description names.
const std::pair<const char *, double> kKey[] = {{"T1", 5}, {"T2", 2}, {"T3", 3}, {"T4", 1}, {"T5", 4}};
} // namespace

F02::F02(PageHost &run) : Page(run, design(), Build::AfterFirstPrompt)
{
}

void F02::Form_Load()
{
    // The page's controls are made while the pupil reads the first prompt.
    run.AskPupil();
    ensureBuilt();
}

QList<GradedItem> F02::gradedItems() const
{
    // Each box is judged by itself; text that is not a number earns nothing, like a wrong number.
    QList<GradedItem> items;
    for (const auto &[box, right] : kKey) {
        const QString text = control<QLineEdit>(box)->text();
        bool isNumber = false;
        const double value = text.isEmpty() ? 0 : tally::textToDouble(text, run.locale(), &isNumber);
        items.append({objectName(), QString::fromLatin1(box), textBeside(box), text, isNumber && value == right,
                      graded_.PagePoints});
    }
    return items;
}

void F02::Com_Click()
{
    graded_.grade(gradedItems());
    run.AddToTally(graded_.PagePoints);
    run.next(*this);
}
