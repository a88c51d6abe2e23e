// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers the page tests share: answering the modal prompts, typing Cyrillic the way a keyboard
// does, clicking marks and buttons, and a run writing its journal into a temporary folder.

#include "control/application.h"
#include "control/run.h"
#include "result/outbox.h"
#include "teacherfiles.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <optional>

namespace support {

// Types text into the focused widget one character at a time (QTest::keyClicks aborts on
// Cyrillic); a character beyond the first 65,536 (an emoji) comes whole in one key event, as a
// keyboard or an emoji picker sends it.
inline void type(QWidget *w, const QString &text)
{
    for (const char32_t ch : text.toUcs4())
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString::fromUcs4(&ch, 1), Qt::NoModifier);
}

// A page's control by its designed name, as the pupil's tools and a screen reader find it.
template <class W = QWidget> W *child(const QWidget &page, const char *name)
{
    W *w = page.findChild<W *>(QString::fromLatin1(name));
    if (!w)
        qFatal("%s has no control %s", qPrintable(page.objectName()), name);
    return w;
}
inline QPushButton *com(const QWidget &page)
{
    return child<QPushButton>(page, "Com");
}

inline void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

// Pages and prompts take no press within the double-click interval of their appearing, which a
// pupil who reads them never meets. Tests that answer each page at once, and are not about that,
// make the interval nil; the input guard's own tests keep the platform's.
inline void answerWithoutReading()
{
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(0);
}

// Answers modal dialogs as they appear: a text means "type it and press OK", nullopt means
// "Cancel". Each dialog seen is recorded (title, label text, visible pages at that moment).
// Reads the text of every message box that comes up and closes it with OK, as a pupil would.
class MessageCatcher : public QObject {
public:
    MessageCatcher()
    {
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texts << box->text();
                titles << box->windowTitle();
                box->accept();
            }
        });
        timer_.start(5);
    }
    QString last() const { return texts.isEmpty() ? QString() : texts.last(); }
    QStringList texts, titles;

private:
    QTimer timer_;
};

class ModalAnswerer : public QObject {
public:
    struct Seen {
        QString title, label;
        QStringList okCancel;
        int visiblePages = 0;
    };

    explicit ModalAnswerer(std::deque<std::optional<QString>> answers, std::function<int()> visiblePages = {})
        : answers_(std::move(answers)), visiblePages_(std::move(visiblePages))
    {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::poll);
        timer_.start();
    }
    std::vector<Seen> seen;

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == last_ || answers_.empty())
            return;
        last_ = modal;
        Seen s;
        s.title = modal->windowTitle();
        if (auto *input = qobject_cast<QInputDialog *>(modal))
            s.label = input->labelText();
        for (QPushButton *b : modal->findChildren<QPushButton *>())
            s.okCancel << b->text();
        s.visiblePages = visiblePages_ ? visiblePages_() : 0;
        seen.push_back(s);
        std::optional<QString> answer = answers_.front();
        answers_.pop_front();
        QPointer<QWidget> target = modal;
        QTimer::singleShot(0, modal, [target, answer] {
            if (!target)
                return;
            if (auto *input = qobject_cast<QInputDialog *>(target.data())) {
                if (answer) {
                    QLineEdit *edit = input->findChild<QLineEdit *>();
                    type(edit, *answer);
                    input->accept();
                } else {
                    input->reject();
                }
            } else if (auto *box = target->findChild<QDialogButtonBox *>()) {
                box->buttons().first()->click();
            }
        });
    }
    std::deque<std::optional<QString>> answers_;
    std::function<int()> visiblePages_;
    QTimer timer_;
    QPointer<QWidget> last_;
};

inline int visiblePages(const Run &run)
{
    int n = 0;
    for (const Page *p : run.existingPages())
        n += p->isVisible();
    return n;
}

using files::readAll;

// The records an outbox keeps for one file (the journal, or the details file beside it).
inline int waitingFor(const QString &outboxFile, const QString &file)
{
    int n = 0;
    for (const outbox::Kept &k : outbox::waiting(readAll(outboxFile)))
        n += k.journal == file;
    return n;
}

// One run with its journal in a temporary folder, the prompts answered as given.
struct Session {
    explicit Session(std::optional<QString> name = QStringLiteral("Учень"),
                     std::optional<QString> group = QStringLiteral("9-А"), const QLocale &locale = QLocale::c())
        : run(journal::fileUnder(drive.path()), locale), endedSpy(&run, &Run::ended),
          answers({name, group}, [this] { return visiblePages(run); })
    {
        run.setOutboxFile(outboxFile());
    }
    // Starts the run and waits until the matching page is the active window.
    bool start()
    {
        run.start();
        return QTest::qWaitForWindowActive(&run.page<F02>());
    }
    QString journalFile() const { return drive.path() + QStringLiteral("/test/Internet/1.txt"); }
    // This computer's outbox, apart from the drive the journal is on.
    QString outboxFile() const { return drive.path() + QStringLiteral("/local/netquiz/outbox.txt"); }
    QByteArray journal() const { return readAll(journalFile()); }

    QTemporaryDir drive;
    Run run;
    QSignalSpy endedSpy;
    ModalAnswerer answers;
};

// Presses a page's "Далі" with the mouse and waits for the next page to be active.
template <class Next> inline bool next(Run &run, Page &from)
{
    click(com(from));
    return QTest::qWaitForWindowActive(&run.page<Next>());
}

// Presses "Далі" on the page shown and returns the page the run shows next, once it is active
// (nullptr if none becomes active): the run's own order, whatever it is.
inline Page *pressNext(Page &from)
{
    click(com(from));
    if (!QTest::qWaitFor([&] { return QApplication::activeWindow() && QApplication::activeWindow() != &from; }))
        return nullptr;
    return dynamic_cast<Page *>(QApplication::activeWindow());
}

// Answers the five questions so that exactly the first `points` of them earn their point.
inline bool answerForPoints(Run &run, int points)
{
    F02 &f02 = run.page<F02>();
    if (points > 0)
        for (auto [box, text] : {std::pair{"T1", "5"}, {"T2", "2"}, {"T3", "3"}, {"T4", "1"}, {"T5", "4"}}) {
            click(child(f02, box));
            type(child(f02, box), QString::fromLatin1(text));
        }
    if (!next<F03>(run, f02))
        return false;
    click(child(run.page<F03>(), points > 1 ? "op3" : "op1"));
    if (!next<F04>(run, run.page<F03>()))
        return false;
    click(child(run.page<F04>(), points > 2 ? "Op4" : "op1"));
    if (!next<F05>(run, run.page<F04>()))
        return false;
    click(child(run.page<F05>(), points > 3 ? "op3" : "op2"));
    if (!next<F09>(run, run.page<F05>()))
        return false;
    for (const char *box : points > 4 ? std::vector{"C1", "C4", "C6"} : std::vector{"C2", "C3", "C5"})
        click(child(run.page<F09>(), box));
    return next<F11>(run, run.page<F09>());
}

} // namespace support
