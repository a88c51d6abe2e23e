// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The floors of the results view:
//   results_floor read PATH...   reads and splits every line of the journals below PATH, no view
//   results_floor window         an empty window, until it is painted
#include "probe.h"
#include "teacher/reading/growingjournal.h"
#include "teacher/reading/journalpaths.h"

#include <QApplication>

namespace {

class FirstPaintProbe : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            watched->removeEventFilter(this);
            QCoreApplication::sendEvent(watched, event);
            printf("painted_ns %lld\n", bench::nowNs());
            fflush(stdout);
            _exit(0);
        }
        return false;
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && QByteArrayView(argv[1]) == "window") {
        QApplication app(argc, argv);
        QWidget window;
        FirstPaintProbe probe;
        window.installEventFilter(&probe);
        window.resize(1100, 760);
        window.show();
        return app.exec();
    }
    QCoreApplication app(argc, argv);
    long long lines = 0, grades = 0;
    for (int i = 2; i < argc; ++i)
        for (const QString &file : teacher::journalsAt(QString::fromLocal8Bit(argv[i])).files)
            for (const teacher::JournalLine &line : teacher::GrowingJournal(file).read().lines) {
                ++lines;
                grades += line.entry.grade.size();
            }
    printf("done_ns %lld lines %lld grades %lld\n", bench::nowNs(), lines, grades);
    return 0;
}
