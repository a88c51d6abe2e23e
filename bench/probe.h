// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Measuring points shared by the benchmark programs: the same probe goes into netquiz and into
// the floor programs, so both are measured alike.

#include <QApplication>
#include <QEvent>
#include <QInputDialog>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>

namespace bench {

inline long long nowNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

inline double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

inline long peakKiB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Prints the clock when the first prompt is on the screen (exposed), then leaves at once.
class FirstPromptProbe : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose) {
            auto *window = qobject_cast<QWindow *>(watched);
            if (window && window->isExposed()) {
                for (QWidget *w : QApplication::topLevelWidgets())
                    if (qobject_cast<QInputDialog *>(w) && w->windowHandle() == window) {
                        printf("prompt_ns %lld\n", nowNs());
                        fflush(stdout);
                        _exit(0);
                    }
            }
        }
        return false;
    }
};

} // namespace bench
