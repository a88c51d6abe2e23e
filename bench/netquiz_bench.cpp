// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// netquiz measured from inside, with the pupil scripted:
//   netquiz_bench first-prompt   the program as main starts it; prints when the first prompt is exposed
//   netquiz_bench run            a whole run; prints CPU time from the first answer to "Вихід" and peak memory
//   netquiz_bench handover N     N runs; each "Далі" from click to the next page painted, against a floor
//                                hand-over (hide a bare window, show a new one with a label and a picture);
//                                like a pupil, it waits a moment on each page before clicking
#include "qtcompat/highdpi.h"
#include "control/commandline.h"
#include "probe.h"
#include "result/journal.h"
#include "teacher/results.h"
#include "tests/support.h"

#include <QApplication>
#include <QBuffer>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>

#include <algorithm>
#include <map>

using namespace support;

namespace {

// Counts paints of one widget, so a hand-over can end when the new page is on the screen.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget *w) { w->installEventFilter(this); }
    int paints = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

double waitPainted(QWidget *next, long long start)
{
    PaintWatch watch(next);
    while (watch.paints == 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents(); // the paint itself and its flush
    return (bench::nowNs() - start) / 1e6;
}

// A pupil reads the page before answering; the program may use that moment. A press sooner than
// the double-click interval (400 ms) after a page appears does nothing.
constexpr int kThinkMs = 450;

// Clicks "Далі" on `from` and times it until the page shown next is painted; `shown` is that page.
double timedHandOver(Run &run, Page &from, Page *&shown)
{
    QTest::qWait(kThinkMs);
    const long long start = bench::nowNs();
    QTest::mouseClick(com(from), Qt::LeftButton, {}, com(from)->rect().center());
    shown = nullptr;
    for (Page *p : run.existingPages())
        if (p->isVisible())
            shown = p;
    return shown ? waitPainted(shown, start) : -1;
}

double floorHandOver(QWidget *&current, const QByteArray &png)
{
    QTest::qWait(kThinkMs);
    const long long start = bench::nowNs();
    QPixmap picture;
    picture.loadFromData(png, "PNG");
    auto *next = new QWidget;
    next->setFixedSize(546, 405);
    auto *label = new QLabel(QStringLiteral("Комп'ютерна мережа - це..."), next);
    label->move(32, 16);
    auto *image = new QLabel(next);
    image->setPixmap(picture);
    image->setGeometry(8, 216, picture.width(), picture.height());
    current->hide();
    next->show();
    const double ms = waitPainted(next, start);
    delete current;
    current = next;
    return ms;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

int handOvers(int runs)
{
    std::vector<QString> names;
    std::map<int, std::vector<double>> times;
    std::vector<double> floorTimes;
    QWidget *current = new QWidget;
    current->setFixedSize(546, 405);
    current->show();
    // The floor's picture: the same artwork as a ready PNG, decoded when its window is made.
    QByteArray picture;
    QBuffer buffer(&picture);
    buffer.open(QIODevice::WriteOnly);
    frame::renderPicture(F03::design().shownPictures().first(), {456, 180}, 1.0).save(&buffer, "PNG");
    for (int r = 0; r < runs; ++r) {
        QTemporaryDir drive;
        Run run(journal::fileUnder(drive.path()));
        ModalAnswerer answers({QStringLiteral("Учень"), QStringLiteral("9-А")});
        run.start();
        Page *at = &run.page<F02>();
        if (!QTest::qWaitForWindowExposed(at))
            return 1;
        // Every hand-over of the run, in the run's own order, up to the result page.
        for (int i = 0; at != run.existing<F11>(); ++i) {
            Page *shown = nullptr;
            times[i].push_back(timedHandOver(run, *at, shown));
            if (!shown)
                return 1;
            if (r == 0)
                names.push_back(at->objectName() + "->" + shown->objectName());
            floorTimes.push_back(floorHandOver(current, picture));
            at = shown;
        }
        run.End();
    }
    delete current;
    const double floorMedian = median(floorTimes);
    for (int i = 0; i < int(names.size()); ++i)
        printf("handover %s median_ms %.3f worst_ms %.3f floor_median_ms %.3f\n", qPrintable(names[i]), median(times[i]),
               *std::max_element(times[i].begin(), times[i].end()), floorMedian);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // As main does before the test starts: the command line read (here: as if empty), and the
    // teacher's side linked in, so the program loads as netquiz does.
    const CommandLine command = readCommandLine(1, argv);
    if (command.mode != CommandLine::Mode::Pupil)
        return command.mode == CommandLine::Mode::Results ? teacher::showResults(argc, argv, command.resultPaths)
                                                         : command.exitCode;
    qtcompat::enableHighDpiScaling();
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    bench::FirstPromptProbe probe;
    if (mode == "first-prompt")
        app.installEventFilter(&probe);
    prepareApplication(app);
    if (mode == "handover")
        return handOvers(argc > 2 ? atoi(argv[2]) : 50);

    QTemporaryDir drive;
    Run run(journal::fileUnder(drive.path()));
    // As main does: the start looks for results kept on this computer (none here).
    run.setOutboxFile(drive.path() + QStringLiteral("/local/netquiz/outbox.txt"));
    double cpuAtFirstAnswer = 0;
    ModalAnswerer answers({QStringLiteral("Учень"), QStringLiteral("9-А")});
    QTimer pupil;
    if (mode == "run") {
        // The pupil: answers the prompts as soon as the first is up, then the pages once the
        // first one is on the screen (a click on a page not yet shown would do nothing), each at
        // once: no quiet period after a page appears.
        answerWithoutReading();
        QTimer::singleShot(0, &run, [&] { cpuAtFirstAnswer = bench::cpuSeconds(); });
        QObject::connect(&pupil, &QTimer::timeout, &run, [&] {
            if (!run.existing<F02>() || !run.existing<F02>()->isActiveWindow())
                return;
            pupil.stop();
            if (answerForPoints(run, 5))
                QTest::keyClick(com(run.page<F11>()), Qt::Key_Return);
        });
        pupil.start(1);
    }
    const int code = execute(app, run);
    if (mode == "run")
        printf("run_cpu_ms %.3f peak_kib %ld\n", (bench::cpuSeconds() - cpuAtFirstAnswer) * 1000, bench::peakKiB());
    return code;
}
