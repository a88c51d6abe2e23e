// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Multiple choice: what connecting computers to a network needs; then the grade.
#include "pages/questions.h"

using namespace frame;

const PageDesign &F09::design()
{
    // clang-format off
    static const PageDesign design{.name = "F09", .width = 8190, .height = 6075, .line3 = {"Line3", 240, 480, 7200, 480, 3}, .line4 = {"Line4", 120, 600, 7320, 600, 2}, .com = {QStringLiteral("Далі"), 6600, 5520, 2}, .controls = {
        {.kind = Kind::Label, .name = "Label1", .text = QStringLiteral("Для підключення комп'ютерів до мережі необхідні:"), .box = {240, 120, 7335, 615}, .style = Style::Question, .tab = 0},
        {.kind = Kind::Label, .name = "Label2", .text = QStringLiteral("мережева плата"), .box = {1200, 1080, 2190, 390}, .autoSize = true, .tab = 1, .describes = "C1"},
        {.kind = Kind::Check, .name = "C1", .box = {840, 1200, 200, 200}, .tab = 3},
        {.kind = Kind::Check, .name = "C6", .box = {3840, 2160, 200, 200}, .tab = 4},
        {.kind = Kind::Check, .name = "C5", .box = {3840, 1680, 200, 200}, .tab = 5},
        {.kind = Kind::Check, .name = "C4", .box = {3840, 1200, 200, 200}, .tab = 6},
        {.kind = Kind::Check, .name = "C2", .box = {840, 1680, 200, 200}, .tab = 7},
        {.kind = Kind::Check, .name = "C3", .box = {840, 2160, 200, 200}, .tab = 8},
        {.kind = Kind::Label, .name = "Label3", .text = QStringLiteral("миша"), .box = {1200, 1560, 765, 390}, .autoSize = true, .tab = 9, .describes = "C2"},
        {.kind = Kind::Label, .name = "Label4", .text = QStringLiteral("клавіатура"), .box = {1200, 2040, 1410, 390}, .autoSize = true, .tab = 10, .describes = "C3"},
        {.kind = Kind::Label, .name = "Label5", .text = QStringLiteral("програмне забезпечення"), .box = {4200, 1080, 3345, 390}, .autoSize = true, .tab = 11, .describes = "C4"},
        {.kind = Kind::Label, .name = "Label7", .text = QStringLiteral("лінії зв'язку (кабелі)"), .box = {4200, 2040, 2670, 390}, .autoSize = true, .tab = 12, .describes = "C6"},
        {.kind = Kind::Label, .name = "Label10", .text = QStringLiteral("калькулятор"), .box = {4200, 1560, 1665, 390}, .autoSize = true, .tab = 13, .describes = "C5"},
        {.kind = Kind::Picture, .name = "Image1", .text = QStringLiteral("Чоловік у народному вбранні з розведеними руками"), .box = {3000, 3000, 1425, 2250}, .resource = QStringLiteral(":/assets/f09_folkman.svg")},
    }};
    // clang-format on
    return design;
}

namespace {
// The answer key: the state each box must be in. A greyed box is never right.
const std::pair<const char *, Qt::CheckState> kKey[] = {{"C1", Qt::Checked},   {"C2", Qt::Unchecked},
                                                        {"C3", Qt::Unchecked}, {"C4", Qt::Checked},
                                                        {"C5", Qt::Unchecked}, {"C6", Qt::Checked}};
} // namespace

F09::F09(PageHost &run) : Page(run, design())
{
}

QList<GradedItem> F09::gradedItems() const
{
    QList<GradedItem> items;
    for (const auto &[box, right] : kKey) {
        const Qt::CheckState state = control<QCheckBox>(box)->checkState();
        items.append({objectName(), QString::fromLatin1(box), textBeside(box),
                      state == Qt::Checked ? QStringLiteral("позначено") : QStringLiteral("не позначено"),
                      state == right, graded_.PagePoints});
    }
    return items;
}

void F09::Com_Click()
{
    graded_.grade(gradedItems());
    run.AddToTally(graded_.PagePoints);
    run.ConvertTallyToGrade();
    run.next(*this);
}
