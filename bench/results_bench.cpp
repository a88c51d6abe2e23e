// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// netquiz --results as main starts it, measured from inside: prints when the results table's
// first paint with every line loaded is done, then leaves. usage: results_bench PATH...
#include "probe.h"
#include "teacher/results.h"
#include "teacher/window/resultswindow.h"

#include <QAbstractItemView>
#include <QCoreApplication>

namespace {

class TablePaintProbe : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        auto *w = qobject_cast<QWidget *>(watched);
        auto *view = w ? qobject_cast<QAbstractItemView *>(w->parentWidget()) : nullptr;
        if (!view || view->viewport() != w || view->objectName() != QLatin1String("resultsTable"))
            return false;
        // Rows come from the reading thread: the paint that counts is the first with all of them.
        if (auto *window = qobject_cast<teacher::ResultsWindow *>(view->window());
            !window || window->journals().reading())
            return false;
        w->removeEventFilter(this);
        QCoreApplication::instance()->removeEventFilter(this);
        QCoreApplication::sendEvent(w, event); // the paint itself, then the clock
        printf("painted_ns %lld rows %d\n", bench::nowNs(), view->model()->rowCount());
        fflush(stdout);
        _exit(0);
    }
};

// Runs as the application object is made inside showResults, as main's own call makes it.
void installProbe()
{
    QCoreApplication::instance()->installEventFilter(new TablePaintProbe);
}

} // namespace

int main(int argc, char **argv)
{
    qAddPreRoutine(installProbe);
    QStringList paths;
    for (int i = 1; i < argc; ++i)
        paths << QString::fromLocal8Bit(argv[i]);
    return teacher::showResults(argc, argv, paths);
}
