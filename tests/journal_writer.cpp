// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Appends COUNT journal lines tagged TAG to DRIVE's journal, as fast as it can: one of several
// copies that write at once in the journal stress test.
#include "result/journal.h"
#include "result/journalline.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const QString drive = QString::fromLocal8Bit(argv[1]);
    const int count = atoi(argv[2]);
    const QString tag = QString::fromLocal8Bit(argv[3]);
    for (int i = 0; i < count; ++i) {
        const journal::Outcome outcome = journal::append(
            journal::fileUnder(drive), journal::record(tag, QString::number(i), QStringLiteral("07.12.2026"), QStringLiteral("12")));
        if (!outcome.ok) {
            fprintf(stderr, "%s\n", qPrintable(outcome.message));
            return 1;
        }
    }
    return 0;
}
