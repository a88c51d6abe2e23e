// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Single choice: what the Internet is. The key: op3, "всесвітня мережа".
#include "pages/questions.h"

using namespace frame;

const PageDesign &F05::design()
{
    // clang-format off
    static const PageDesign design{.name = "F05", .width = 8190, .height = 6075, .line3 = {"Line3", 480, 960, 7920, 960, 3}, .line4 = {"Line4", 360, 1080, 8040, 1080, 2}, .com = {QStringLiteral("Далі"), 6600, 5520, 1}, .controls = {
        {.kind = Kind::Label, .name = "Label1", .text = QStringLiteral("Інтернет - це ..."), .box = {480, 480, 8055, 615}, .style = Style::Question, .tab = 0},
        {.kind = Kind::Option, .name = "op3", .box = {360, 3360, 195, 195}, .tab = 2},
        {.kind = Kind::Option, .name = "op2", .box = {360, 2640, 195, 195}, .tab = 3},
        {.kind = Kind::Option, .name = "op1", .box = {360, 1920, 195, 195}, .tab = 4},
        {.kind = Kind::Label, .name = "Label4", .text = QStringLiteral("всесвітня мережа"), .box = {960, 3240, 2355, 390}, .autoSize = true, .tab = 5, .describes = "op3"},
        {.kind = Kind::Label, .name = "Label3", .text = QStringLiteral("глобальна мережа"), .box = {960, 2520, 4455, 375}, .tab = 6, .describes = "op2"},
        {.kind = Kind::Label, .name = "Label2", .text = QStringLiteral("локальна мережа"), .box = {960, 1800, 2355, 390}, .autoSize = true, .tab = 7, .describes = "op1"},
        {.kind = Kind::Option, .name = "Option1", .box = {360, 4080, 195, 195}, .tab = 8},
        {.kind = Kind::Label, .name = "Label5", .text = QStringLiteral("регіональна мережа"), .box = {960, 3960, 2700, 390}, .autoSize = true, .tab = 9, .describes = "Option1"},
        {.kind = Kind::Picture, .name = "Image1", .text = QStringLiteral("Глобус, поєднаний стрілками з комп'ютерами, ноутбуками й серверами"), .box = {3480, 1320, 4500, 2700}, .resource = QStringLiteral(":/assets/f05_network.svg")},
    }};
    // clang-format on
    return design;
}

F05::F05(PageHost &run) : SingleChoicePage(run, design(), "op3")
{
}
