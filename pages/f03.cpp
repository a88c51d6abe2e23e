// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Single choice: what a computer network is. The key: op3, "сукупність комп'ютерів з'єднаних лініями зв'язку".
#include "pages/questions.h"

using namespace frame;

const PageDesign &F03::design()
{
    // clang-format off
    static const PageDesign design{.name = "F03", .width = 8565, .height = 6075, .line3 = {"Line3", 480, 720, 7800, 720, 3}, .line4 = {"Line4", 360, 840, 7920, 840, 2}, .com = {QStringLiteral("Далі"), 7080, 5520, 4}, .controls = {
        {.kind = Kind::Label, .name = "Label1", .text = QStringLiteral("Комп'ютерна мережа - це..."), .box = {480, 240, 3750, 390}, .style = Style::Question, .autoSize = true, .tab = 0},
        {.kind = Kind::Label, .name = "Label2", .text = QStringLiteral("багато комп'ютерів в одному класі"), .box = {1080, 1320, 4785, 390}, .autoSize = true, .tab = 1, .describes = "op1"},
        {.kind = Kind::Label, .name = "Label3", .text = QStringLiteral("багато комп'ютерів на підприємстві"), .box = {1080, 1800, 6615, 375}, .tab = 2, .describes = "op2"},
        {.kind = Kind::Label, .name = "Label4", .text = QStringLiteral("сукупність комп'ютерів з'єднаних лініями зв'язку"), .box = {1080, 2280, 6765, 390}, .autoSize = true, .tab = 3, .describes = "op3"},
        {.kind = Kind::Option, .name = "op1", .box = {480, 1440, 195, 195}, .tab = 5},
        {.kind = Kind::Option, .name = "op2", .box = {480, 1920, 195, 195}, .tab = 6},
        {.kind = Kind::Option, .name = "op3", .box = {480, 2400, 195, 195}, .tab = 7},
        {.kind = Kind::Option, .name = "Op4", .box = {480, 2880, 195, 195}, .tab = 8},
        {.kind = Kind::Label, .name = "Label5", .text = QStringLiteral("сукупність комп'ютерів"), .box = {1080, 2760, 3615, 375}, .tab = 9, .describes = "Op4"},
        {.kind = Kind::Picture, .name = "Image1", .text = QStringLiteral("Комп'ютер на тлі глобуса з потоками нулів і одиниць"), .box = {120, 3240, 6840, 2700}, .resource = QStringLiteral(":/assets/f03_computer.svg")},
    }};
    // clang-format on
    return design;
}

F03::F03(PageHost &run) : SingleChoicePage(run, design(), "op3")
{
}
