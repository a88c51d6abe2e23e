// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The floor: a program that does nothing but show the same prompt netquiz starts with.
//   floor first-prompt   prints when the prompt is exposed, then leaves
//   floor run            answers the prompt, then prints its peak memory
#include "probe.h"
#include "tests/support.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installUkrainianButtons(app); // the same prompt: Ukrainian buttons
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    bench::FirstPromptProbe probe;
    if (mode == "first-prompt")
        app.installEventFilter(&probe);
    support::ModalAnswerer answers({QStringLiteral("Учень")});
    QInputDialog::getText(nullptr, QStringLiteral("Введення даних про учня"), QStringLiteral("Введіть ваше прізвище та ім'я"));
    printf("peak_kib %ld\n", bench::peakKiB());
    return 0;
}
