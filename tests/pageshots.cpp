// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Saves a picture of every page as the pupil sees it (a page with marks also with the focus on
// its first mark: NAME-focus.png), and of the messages a pupil may meet:
// pageshots OUTDIR [grade] [nowhere|classfolder]   (run with QT_SCALE_FACTOR=2 for the 200 % look;
// with "nowhere", the failed save's message is the one shown when nothing at all can hold the
// result; with "classfolder", the one shown when the class folder is not there).
#include "qtcompat/highdpi.h"
#include "support.h"

#include "result/classfolder.h"

#include <QAbstractButton>
#include <QDir>
#include <QLockFile>

using namespace support;

namespace {
// Saves the message box that `action` brings up, then closes it.
void shootMessage(const QString &file, const std::function<void()> &action)
{
    QTimer::singleShot(300, [file] {
        if (QWidget *message = QApplication::activeModalWidget()) {
            message->grab().save(file);
            message->close();
        }
    });
    action();
}
} // namespace

int main(int argc, char **argv)
{
    qtcompat::enableHighDpiScaling();
    QApplication app(argc, argv);
    prepareApplication(app);
    support::answerWithoutReading(); // "Вихід" pressed the moment the result page is up
    QTemporaryDir drive;
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const QString grade = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("10");
    QDir().mkpath(out);
    if (argc > 3 && QByteArray(argv[3]) == "nowhere") {
        // The outbox's folder, the temporary folder and (below) the journal's folder are files.
        for (const char *file : {"local", "tmp"}) {
            QFile blocker(drive.filePath(QString::fromLatin1(file)));
            blocker.open(QIODevice::WriteOnly);
        }
        qputenv("TMPDIR", QFile::encodeName(drive.filePath(QStringLiteral("tmp"))));
    }
    // A class folder whose share did not connect: no marker at /mnt/netquiz.
    const bool classFolder = argc > 3 && QByteArray(argv[3]) == "classfolder";
    const QString shared = QStringLiteral("/mnt/netquiz");
    if (classFolder)
        classfolder::expect(shared);
    Run run(classFolder ? journal::fileInClassFolder(shared, QStringLiteral("PC-07"))
                        : journal::fileUnder(drive.path()));
    run.setOutboxFile(drive.filePath(QStringLiteral("local/netquiz/outbox.txt"))); // the failure says it is kept
    support::ModalAnswerer answers({QStringLiteral("Учень"), QStringLiteral("9-А")});
    run.start();
    for (Page *p : run.allPages()) {
        // One chosen mark or ticked box, to see its look.
        for (QAbstractButton *mark : p->findChildren<QAbstractButton *>())
            if (mark->isCheckable()) {
                mark->setChecked(true);
                break;
            }
        if (p == run.existing<F11>())
            run.tally().setText(grade);
        p->Show();
        if (!QTest::qWaitForWindowExposed(p))
            qWarning("page %s not exposed", qPrintable(p->objectName()));
        p->grab().save(out + QLatin1Char('/') + p->objectName() + QStringLiteral(".png"));
        // The same page with the focus on its first mark, as Tab brings it there.
        for (QAbstractButton *mark : p->findChildren<QAbstractButton *>())
            if (mark->isCheckable()) {
                mark->setFocus(Qt::TabFocusReason);
                p->grab().save(out + QLatin1Char('/') + p->objectName() + QStringLiteral("-focus.png"));
                break;
            }
    }
    F11 &result = run.page<F11>();
    result.Form_Activate();
    result.grab().save(out + QStringLiteral("/F11.png"));

    // A plain file where the journal's folder should be: the message on "Вихід".
    QFile blocker(drive.filePath(QStringLiteral("test")));
    blocker.open(QIODevice::WriteOnly);
    blocker.close();
    shootMessage(out + QStringLiteral("/F11-save-failed.png"), [&] { click(com(result)); });

    // A second start while a test runs.
    QLockFile running(runningTestLock());
    running.tryLock(0);
    Run second(journal::fileUnder(drive.path()));
    shootMessage(out + QStringLiteral("/second-copy.png"), [&] { execute(app, second); });
    return 0;
}
