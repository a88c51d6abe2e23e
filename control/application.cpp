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
#include <QSessionManager>
#include <QStandardPaths>
#include <QTranslator>

#include <optional>

#ifndef Q_OS_WIN
#include <QSocketNotifier>

#include <csignal>

#include <fcntl.h>
#include <unistd.h>
#endif

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
// a stale lock, which the next start takes over. Only a lock held by a live copy refuses the
// start: a lock that cannot be made (a full or read-only runtime folder) is done without.
static bool firstTestOfThisUser(QLockFile &lock)
{
    if (lock.tryLock(0) || lock.error() != QLockFile::LockFailedError)
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

#ifndef Q_OS_WIN
namespace {
// The write end of the self-pipe: a signal handler may do no more than write(2) to it.
int signalPipe = -1;
extern "C" void onEndSignal(int signal)
{
    const int saved = errno;
    const char byte = char(signal);
    [[maybe_unused]] const ssize_t n = ::write(signalPipe, &byte, 1);
    errno = saved;
}
} // namespace

// SIGTERM and SIGHUP (a shutdown, a closed terminal, a kill) are taken on the window's thread:
// a result on the screen is kept in the outbox first (a save under way finishes), then the
// signal ends the program as it would have, with no line for a test not yet finished.
class EndSignals {
public:
    explicit EndSignals(Run &run)
    {
        if (::pipe2(fds_, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        signalPipe = fds_[1];
        notifier_.emplace(fds_[0], QSocketNotifier::Read);
        QObject::connect(&*notifier_, &QSocketNotifier::activated, &run, [this, &run] {
            char signal = 0;
            if (::read(fds_[0], &signal, 1) != 1)
                return;
            // Where nothing holds the result on the screen, the page stays with the grade and
            // tells the pupil to call the teacher: the signal does not end the program then.
            if (!run.KeepShownResult())
                return;
            ::signal(signal, SIG_DFL);
            ::raise(signal);
        });
        struct sigaction action {};
        action.sa_handler = onEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int signal : {SIGTERM, SIGHUP})
            ::sigaction(signal, &action, nullptr);
    }
    ~EndSignals()
    {
        if (fds_[0] < 0)
            return;
        for (int signal : {SIGTERM, SIGHUP})
            ::signal(signal, SIG_DFL);
        signalPipe = -1;
        notifier_.reset();
        ::close(fds_[0]);
        ::close(fds_[1]);
    }
    EndSignals(const EndSignals &) = delete;
    EndSignals &operator=(const EndSignals &) = delete;

private:
    int fds_[2] = {-1, -1};
    std::optional<QSocketNotifier> notifier_;
};
#endif

int execute(QApplication &app, Run &run, const QString &lockFile)
{
    if (!journalCanBeWritten())
        return 1;
    QLockFile lock(lockFile);
    if (!firstTestOfThisUser(lock))
        return 0;
    // Results kept on this computer go to their journals while the pupil answers the prompts:
    // the record writer's first job.
    run.recordWriter().deliver();
#ifndef Q_OS_WIN
    const EndSignals endSignals(run);
#endif
    // A logout or shutdown asks the program to save its data; a result on the screen is kept
    // in the outbox (it normally is already), whatever the session manager does next.
    // Where nothing holds the result, the logout is asked to wait (the page says why).
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &run, [&run](QSessionManager &manager) {
        if (!run.KeepShownResult())
            manager.cancel();
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &run, [&run] { run.KeepShownResult(); });
    QObject::connect(&run, &Run::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    run.start();
    return run.ending() ? 0 : app.exec();
}
