// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The results window at a school's scale, driven as a teacher drives it and timed from inside:
//   results_interact [--sorted] ROWS PATH...
// prints painted_ns (the table's first paint), loaded_ns when ROWS rows are in, the longest stall
// of the event loop while loading, then the time from a keystroke in the search box, and from a
// class picked with the arrow key, to the table repainted; and the peak resident size. With
// --sorted the table is sorted by name (a click on its heading) before reading and stays so.
#include "probe.h"
#include "qtcompat/highdpi.h"
#include "teacher/window/resultswindow.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !done &&
            watched->objectName() == QLatin1String("qt_scrollarea_viewport") && watched->parent() &&
            watched->parent()->objectName() == QLatin1String("resultsTable")) {
            done = true;
            QCoreApplication::sendEvent(watched, event);
            printf("painted_ns %lld\n", bench::nowNs());
            fflush(stdout);
            return true;
        }
        return false;
    }
    bool done = false;
};

// One step as the teacher sees it: the input, then everything it sets off, then the table painted.
template <class F> double timed(QTableView *table, F &&input)
{
    QElapsedTimer clock;
    clock.start();
    input();
    QCoreApplication::processEvents();
    table->viewport()->repaint();
    return clock.nsecsElapsed() / 1e6;
}

QString stats(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return QStringLiteral("%1 %2").arg(v[v.size() / 2], 0, 'f', 2).arg(v.last(), 0, 'f', 2);
}

} // namespace

int main(int argc, char **argv)
{
    qtcompat::enableHighDpiScaling();
    QApplication app(argc, argv);
    const bool sorted = argc > 1 && QByteArray(argv[1]) == "--sorted";
    if (argc < 3 + sorted)
        return 2;
    const int expected = atoi(argv[1 + sorted]);
    QStringList paths;
    for (int i = 2 + sorted; i < argc; ++i)
        paths << QString::fromLocal8Bit(argv[i]);
    FirstPaint probe;
    app.installEventFilter(&probe);
    // The event loop's longest stall while rows come in: how long the window would not answer.
    QElapsedTimer sinceTick;
    double worstStall = 0;
    QTimer ticks;
    ticks.setInterval(5);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        worstStall = std::max(worstStall, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    sinceTick.start();
    ticks.start();

    teacher::ResultsWindow window(paths);
    window.resize(1100, 760);
    window.show();
    auto *table = window.findChild<QTableView *>(QStringLiteral("resultsTable"));
    auto *search = window.findChild<QLineEdit *>(QStringLiteral("nameSearch"));
    auto *groups = window.findChild<QComboBox *>(QStringLiteral("groupFilter"));
    if (sorted)
        table->sortByColumn(teacher::NameColumn, Qt::AscendingOrder);
    QElapsedTimer loading;
    loading.start();
    while (table->model()->rowCount() < expected && loading.elapsed() < 600000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const long long allIn = bench::nowNs();
    QTest::qWait(300); // the last round of reading settles
    ticks.stop();
    printf("loaded_ns %lld rows %d stall_ms %.1f\n", allIn, table->model()->rowCount(), worstStall);

    QList<double> keys, picks;
    search->setFocus();
    for (int round = 0; round < 3; ++round) {
        for (QChar ch : QStringLiteral("Пет"))
            keys << timed(table, [&] {
                QTest::sendKeyEvent(QTest::Click, search, Qt::Key_unknown, QString(ch), Qt::NoModifier);
            });
        for (int i = 0; i < 3; ++i)
            keys << timed(table, [&] { QTest::keyClick(search, Qt::Key_Backspace); });
    }
    for (int i = 0; i < 8; ++i)
        picks << timed(table, [&] { QTest::keyClick(groups, i < 4 ? Qt::Key_Down : Qt::Key_Up); });
    printf("keystroke_ms %s classpick_ms %s rows %d peak_kib %ld\n", qPrintable(stats(keys)), qPrintable(stats(picks)),
           table->model()->rowCount(), bench::peakKiB());
    fflush(stdout);
    _exit(0);
}
