// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows floor: a bare Qt program, built as netquiz.exe is (the same static Qt, MinGW,
// -static), that shows only the prompt netquiz starts with. bench/windows.sh times both under Wine.
#include <QApplication>
#include <QInputDialog>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QInputDialog::getText(nullptr, QStringLiteral("Введення даних про учня"),
                          QStringLiteral("Введіть ваше прізвище та ім'я"));
    return 0;
}
