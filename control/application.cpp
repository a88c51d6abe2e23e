// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/application.h"

#include "control/run.h"
#include "pages/artwork.h"
#include "pages/page.h"
#include "result/journalline.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTranslator>

void installUkrainianButtons(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral(":/i18n/qtbase_uk.qm")))
        QApplication::installTranslator(translator);
}

void prepareApplication(QApplication &app)
{
    installUkrainianButtons(app);
    app.setQuitOnLastWindowClosed(false);
    app.setWindowIcon(frame::windowIcon());
}

QString runningTestLock()
{
    // The runtime folder is the user's own, so each user of a shared computer has a lock.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
        .filePath(QStringLiteral("netquiz-test.lock"));
}

// Held while this copy runs a test: one test at a time for each user of the computer (a double
// click on the icon starts two copies, and both could record a line). A copy that died leaves
// a stale lock, which the next start takes over.
static bool firstTestOfThisUser(QLockFile &lock)
{
    if (lock.tryLock(0))
        return true;
    QMessageBox::information(nullptr, frame::kTitle,
                             QStringLiteral("Тест уже відкрито на цьому комп'ютері.\n"
                                            "Закінчіть його у вікні, яке вже відкрите."));
    return false;
}

// A Qt built without the journal's code page would write '?' for every letter and call it
// saved: better to say so before the pupil spends ten minutes on the test.
static bool journalCanBeWritten()
{
    if (journal::encoderReady())
        return true;
    QMessageBox::critical(nullptr, frame::kTitle,
                          QStringLiteral("На цьому комп'ютері немає кодування Windows-1251, у якому записується "
                                         "журнал результатів, тож результат тесту не можна було б зберегти.\n"
                                         "Тест не запущено. Зверніться до вчителя або техніка."));
    return false;
}

int execute(QApplication &app, Run &run)
{
    if (!journalCanBeWritten())
        return 1;
    QLockFile lock(runningTestLock());
    if (!firstTestOfThisUser(lock))
        return 0;
    QObject::connect(&run, &Run::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    run.start();
    return run.ending() ? 0 : app.exec();
}
