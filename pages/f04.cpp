// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Single choice: the device in the picture. The key: Op4, "мережева плата".
#include "pages/questions.h"

using namespace frame;

const PageDesign &F04::design()
{
    // clang-format off
    static const PageDesign design{.name = "F04", .width = 8190, .height = 6075, .line3 = {"Line3", 240, 600, 7800, 600, 3}, .line4 = {"Line4", 120, 720, 7920, 720, 2}, .com = {QStringLiteral("Далі"), 6600, 5520, 1}, .controls = {
        {.kind = Kind::Label, .name = "Label1", .text = QStringLiteral("Пристрій зображений на малюнку має назву:"), .box = {240, 120, 8295, 615}, .style = Style::Question, .tab = 0},
        {.kind = Kind::Option, .name = "Op4", .box = {720, 4680, 195, 195}, .tab = 2},
        {.kind = Kind::Option, .name = "op3", .box = {720, 4200, 195, 195}, .tab = 3},
        {.kind = Kind::Option, .name = "op2", .box = {720, 3720, 195, 195}, .tab = 4},
        {.kind = Kind::Option, .name = "op1", .box = {720, 3240, 195, 195}, .tab = 5},
        {.kind = Kind::Label, .name = "Label5", .text = QStringLiteral("мережева плата"), .box = {1320, 4560, 3615, 375}, .tab = 6, .describes = "Op4"},
        {.kind = Kind::Label, .name = "Label4", .text = QStringLiteral("мережа"), .box = {1320, 4080, 1005, 390}, .autoSize = true, .tab = 7, .describes = "op3"},
        {.kind = Kind::Label, .name = "Label3", .text = QStringLiteral("лінія зв'язку"), .box = {1320, 3600, 4455, 375}, .tab = 8, .describes = "op2"},
        {.kind = Kind::Label, .name = "Label2", .text = QStringLiteral("локальна мережа"), .box = {1320, 3120, 2355, 390}, .autoSize = true, .tab = 9, .describes = "op1"},
        {.kind = Kind::Picture, .name = "Image1", .text = QStringLiteral("Плата розширення з одним роз'ємом для кабелю на планці"), .box = {1800, 840, 4500, 2145}, .resource = QStringLiteral(":/assets/f04_netcard.svg")},
    }};
    // clang-format on
    return design;
}

F04::F04(PageHost &run) : SingleChoicePage(run, design(), "Op4")
{
}
