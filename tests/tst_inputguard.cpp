// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The input guard: a burst of clicks or a key held down moves one page, and a pupil who reads the
// page first sees no difference. A held key arrives here as Qt 6.4's X11 backend delivers one: a
// press, then a release and a press stamped with one moment every 33 ms, without the auto-repeat
// flag. (What a real X server does is checked end to end under Xvfb.)
#include "support.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRegularExpression>

using namespace support;

namespace {
void sendKey(QWidget *w, QEvent::Type type, Qt::Key key, quint64 ms)
{
    const QString text = key == Qt::Key_Space                            ? QStringLiteral(" ")
                         : key == Qt::Key_Return || key == Qt::Key_Enter ? QStringLiteral("\r")
                         : key >= Qt::Key_A && key <= Qt::Key_Z          ? QString(QChar(key - Qt::Key_A + 'a'))
                                                                         : QString();
    if (!w) {
        qWarning("no widget has the keyboard: the key is not sent"); // the row fails, not the binary
        return;
    }
    QKeyEvent event(type, key, Qt::NoModifier, text);
    event.setTimestamp(ms);
    QApplication::sendEvent(w, &event);
}

// Where the window system sends keys: the focused widget of the active window, once the last
// activation has been handled.
QWidget *focused()
{
    QCoreApplication::processEvents();
    return QApplication::focusWidget();
}

// The repeats of a key held down since `from` until `to` (X's default delay 660 ms, then 25 a
// second), and its release. They come after the quiet period of a window that appeared at the
// press, so only their being repeats can refuse them.
void repeatUntilReleased(Qt::Key key, quint64 from, quint64 to)
{
    QTest::qWait(450);
    for (quint64 t = from + 660; t < to; t += 40) {
        sendKey(focused(), QEvent::KeyRelease, key, t);
        sendKey(focused(), QEvent::KeyPress, key, t);
    }
    sendKey(focused(), QEvent::KeyRelease, key, to);
}

// A left click stamped `ms` (press) and 10 ms later (release) on the window system's clock.
void clickAt(QWidget *w, quint64 ms)
{
    if (!w)
        return;
    const QPoint at = w->rect().center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const bool press = type == QEvent::MouseButtonPress;
        QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::LeftButton, press ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        event.setTimestamp(press ? ms : ms + 10);
        QApplication::sendEvent(w, &event);
    }
}

// A press on the first page, then presses every `every` ms from 300 ms after the page it shows
// appeared, until `until`.
QString steadyPresses(const QString &press, int every, int until)
{
    QString steps = press + "@0; wait 300; " + press + "@300";
    for (int t = 300 + every; t <= until; t += every)
        steps += QStringLiteral("; wait %1; %2@%3").arg(every).arg(press).arg(t);
    return steps;
}

Page *activePage()
{
    QCoreApplication::processEvents();
    return dynamic_cast<Page *>(QApplication::activeWindow());
}
} // namespace

class InputGuardTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { prepareApplication(*qApp); }
    void burstsMoveOnePage_data();
    void burstsMoveOnePage();
    void returnHeldAtNamePromptLeavesClassPromptOpen();
    void keyHeldSinceBeforeWindowTypesNothingThere();
};

void InputGuardTest::burstsMoveOnePage_data()
{
    // Steps on the first page, once the pupil has read it; stamps in ms on the window system's
    // clock. "click@T": a click on the button of the page shown; "Return@T": a key pressed and
    // released; "press Return@T": pressed, its release sent elsewhere; "hold Return@T-U": held
    // down from T to U; "mark NAME@T": a click on a mark;
    // "wait N": N ms of the program's time pass.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("wanted"); // the page up at the end
    QTest::addRow("double click") << "click@0; click@100"
                                  << "F03";
    QTest::addRow("Return twice") << "Return@0; Return@250"
                                  << "F03";
    QTest::addRow("click, then Enter") << "click@0; Enter@150"
                                       << "F03";
    QTest::addRow("Return held 3 s") << "hold Return@0-3000"
                                     << "F03";
    QTest::addRow("Space held 3 s") << "hold Space@0-3000"
                                    << "F03";
    // The program stalled at the first click: the second is stamped long after it, yet reaches
    // the page the first one showed as soon as it is up.
    QTest::addRow("second click after a stall") << "click@0; click@600"
                                                << "F03";
    // The program busy after the page appeared: the second click is handled late, but was
    // made 100 ms after the first.
    QTest::addRow("second click handled late") << "click@0; wait 500; click@100"
                                               << "F03";
    // Each refused click starts the quiet period again.
    QTest::addRow("triple click, 300 ms apart") << "click@0; wait 300; click@300; wait 300; click@600"
                                                << "F03";
    // A pupil who keeps clicking, each click 350 ms after the last (within the double-click
    // interval, so each one refused restarts the quiet period), is served after a second of
    // refusals; so is one pressing Return so. A quicker burst goes on being refused.
    QTest::addRow("clicks every 350 ms") << steadyPresses("click", 350, 1400) << "F04";
    QTest::addRow("Return every 350 ms") << steadyPresses("Return", 350, 1400) << "F04";
    QTest::addRow("clicks every 100 ms for 1.5 s") << steadyPresses("click", 100, 1500) << "F03";
    QTest::addRow("read, then Return") << "Return@0; wait 450; Return@600"
                                       << "F04";
    QTest::addRow("read, then click") << "click@0; wait 450; click@600"
                                      << "F04";
    QTest::addRow("mark after reading, Далі 100 ms later") << "click@0; wait 500; mark op3@1000; wait 100; click@1100"
                                                           << "F04";
    // An X server sends a release to the window that has the keyboard: one let go while the
    // next page takes over never arrives.
    QTest::addRow("release lost in the hand-over") << "press Return@0; wait 450; Return@600"
                                                   << "F04";
    QTest::addRow("released, then pressed again after reading") << "hold Return@0-1000; wait 450; Return@1500"
                                                                << "F04";
}

void InputGuardTest::burstsMoveOnePage()
{
    QFETCH(QString, steps);
    QFETCH(QString, wanted);
    Session s;
    QVERIFY(s.start());
    QTest::qWait(450); // the pupil reads the first page
    constexpr quint64 t0 = 100000;
    QStringList marks;
    for (const QString &step : steps.split(QLatin1Char(';'))) {
        const QStringList word = step.trimmed().split(QRegularExpression(QStringLiteral("[ @-]")));
        if (word[0] == QLatin1String("wait")) {
            QTest::qWait(word[1].toInt());
            continue;
        }
        Page *page = activePage();
        QVERIFY(page);
        const bool held = word[0] == QLatin1String("press") || word[0] == QLatin1String("hold");
        const QString name = held ? word[1] : word[0];
        const Qt::Key key = name == QLatin1String("Space")   ? Qt::Key_Space
                            : name == QLatin1String("Enter") ? Qt::Key_Enter
                                                             : Qt::Key_Return;
        const quint64 at = t0 + word[held ? 2 : 1].toInt();
        if (word[0] == QLatin1String("click")) {
            clickAt(com(*page), at);
        } else if (word[0] == QLatin1String("mark")) {
            clickAt(child(*page, qPrintable(word[1])), t0 + word[2].toInt());
            marks << page->objectName() + QLatin1Char('/') + word[1];
        } else {
            QVERIFY(focused());
            sendKey(focused(), QEvent::KeyPress, key, at);
            if (word[0] == QLatin1String("hold"))
                repeatUntilReleased(key, at, t0 + word[3].toInt());
            else if (!held)
                sendKey(focused(), QEvent::KeyRelease, key, at + 10);
        }
    }
    QTest::qWait(20);
    Page *shown = activePage();
    QVERIFY(shown);
    QCOMPARE(shown->objectName(), wanted);
    QCOMPARE(s.run.creationOrder().last(), wanted); // and no page after it was ever made
    for (const QString &mark : marks) {
        const QStringList at = mark.split(QLatin1Char('/'));
        for (Page *p : s.run.existingPages())
            if (p->objectName() == at[0])
                QVERIFY2(child<QAbstractButton>(*p, qPrintable(at[1]))->isChecked(), qPrintable(mark));
    }
}

void InputGuardTest::returnHeldAtNamePromptLeavesClassPromptOpen()
{
    // Return pressed on the name prompt answers it; held on, it does not answer the class
    // prompt that follows, however long the prompt has been up.
    QTemporaryDir drive;
    Run run(journal::fileUnder(drive.path()), QLocale::c());
    QStringList seen;
    QString classWhileHeld = QStringLiteral("not asked");
    QPointer<QWidget> prompt;
    QElapsedTimer up;
    qsizetype answered = 0;
    bool stuck = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *modal = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!modal)
            return;
        if (modal != prompt) {
            prompt = modal;
            seen << modal->labelText();
            up.start();
        }
        if (answered == seen.size() && up.elapsed() > 3000) { // the answer did not take: go on
            stuck = true;
            modal->accept();
        }
        if (answered == seen.size() || up.elapsed() < 450) // the pupil reads the prompt, then answers once
            return;
        answered = seen.size();
        QLineEdit *box = modal->findChild<QLineEdit *>();
        if (seen.size() == 1) {
            type(box, QStringLiteral("Учень"));
            sendKey(box, QEvent::KeyPress, Qt::Key_Return, 1000); // held down from here
        } else if (seen.size() > 2) {
            type(box, QStringLiteral("9-А")); // asked again: the held Return answered a prompt
            modal->accept();
        } else if (seen.size() == 2) {
            repeatUntilReleased(Qt::Key_Return, 1000, 3000);
            classWhileHeld = QApplication::activeModalWidget() == modal ? box->text() : QStringLiteral("answered");
            type(box, QStringLiteral("9-А"));
            sendKey(box, QEvent::KeyPress, Qt::Key_Return, 3500);
            sendKey(box, QEvent::KeyRelease, Qt::Key_Return, 3510);
        }
    });
    poll.start(5);
    run.start();
    QVERIFY(QTest::qWaitForWindowActive(&run.page<F02>()));
    QVERIFY(!stuck);
    QCOMPARE(seen, (QStringList{Модуль1::kNamePrompt, Модуль1::kGroupPrompt}));
    QCOMPARE(classWhileHeld, QString());
    QCOMPARE(run.pupil().PupilName, QStringLiteral("Учень"));
    QCOMPARE(run.pupil().PupilGroup, QStringLiteral("9-А"));
}

void InputGuardTest::keyHeldSinceBeforeWindowTypesNothingThere()
{
    // A letter held in one window repeats there as usual; in the window that replaces it, it
    // types nothing until it has been let go.
    QTemporaryDir drive;
    Run run(journal::fileUnder(drive.path()), QLocale::c()); // its guard watches the application
    QLineEdit first, second;
    first.show();
    QVERIFY(QTest::qWaitForWindowActive(&first));
    sendKey(&first, QEvent::KeyPress, Qt::Key_X, 1000);
    for (quint64 t : {1250, 1283}) {
        sendKey(&first, QEvent::KeyRelease, Qt::Key_X, t);
        sendKey(&first, QEvent::KeyPress, Qt::Key_X, t);
    }
    QCOMPARE(first.text(), QStringLiteral("xxx"));
    first.hide();
    second.show();
    QVERIFY(QTest::qWaitForWindowActive(&second));
    repeatUntilReleased(Qt::Key_X, 1000 - 660 + 40 * 10, 3000); // the repeats go on
    QCOMPARE(second.text(), QString());
    sendKey(&second, QEvent::KeyPress, Qt::Key_X, 2500);
    QCOMPARE(second.text(), QStringLiteral("x"));
}

QTEST_MAIN(InputGuardTest)
#include "tst_inputguard.moc"
