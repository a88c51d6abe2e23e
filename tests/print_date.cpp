// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Prints today's date as the journal writes it under the current regional settings.
#include "result/journalline.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    printf("%s\n", journal::dateText(QDate::currentDate(), QLocale::system()).toUtf8().constData());
    return 0;
}
