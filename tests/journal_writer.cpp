// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Appends COUNT journal lines tagged TAG to DRIVE's journal, as fast as it can: one of several
// copies that write at once in the journal stress test. "deliver OUTBOX" delivers an outbox as
// a start does (waiting at most WAIT ms for its lock, where given), and says how it went and its
// peak memory: another copy for the outbox tests.
#include "result/journal.h"
#include "result/journalline.h"
#include "result/outbox.h"

#include <QCoreApplication>
#include <cstdio>

#include <sys/resource.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if ((argc == 3 || argc == 4) && qstrcmp(argv[1], "deliver") == 0) {
        const auto wait = argc == 4 ? std::chrono::milliseconds(atoi(argv[3])) : journalfile::kLockWait;
        const outbox::Delivery d = outbox::deliver(QString::fromLocal8Bit(argv[2]), wait);
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        printf("delivered %d failed %d unreadable %d peak %ld\n", d.delivered, d.failed, d.unreadable, usage.ru_maxrss);
        return 0;
    }
    if (argc != 4)
        return 2;
    const QString drive = QString::fromLocal8Bit(argv[1]);
    const int count = atoi(argv[2]);
    const QString tag = QString::fromLocal8Bit(argv[3]);
    for (int i = 0; i < count; ++i) {
        const journal::Outcome outcome = journal::append(
            journal::fileUnder(drive),
            journal::record(tag, QString::number(i), QStringLiteral("07.12.2026"), QStringLiteral("12")));
        if (!outcome.ok) {
            fprintf(stderr, "%s\n", qPrintable(outcome.message));
            return 1;
        }
    }
    return 0;
}
