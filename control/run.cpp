#include "run.h"

#include "../pages/frame.h"
#include "tally.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>

Run::Run(const QString &journalFile, QObject *parent)
    : QObject(parent), journalFile_(journalFile)
{
}

Run::~Run() = default;

void Run::start()
{
    F02 &first = page<F02>();
    first.Show();
    prepareAfter(first);
}

void Run::prepareAfter(const Page &shown)
{
    QStringList upcoming;
    if (&shown == existing<F02>())
        upcoming << F03::kImage1;
    else if (&shown == existing<F03>())
        upcoming << F04::kImage1;
    else if (&shown == existing<F04>())
        upcoming << F05::kImage1;
    else if (&shown == existing<F05>())
        upcoming << F09::kImage1;
    else if (&shown == existing<F09>()) {
        // The grade is one of two now: what the tally holds, or one point more.
        const QString tallyText = page<F11>().L_b->text();
        for (double more : {0.0, 1.0}) {
            try {
                const QString grade = tally::pointsToGrade(tally::addPoints(tallyText, more, locale), locale);
                const QString band = F11::bandPicture(tally::bandOf(tally::flooredGrade(grade.toInt())));
                if (!band.isEmpty())
                    upcoming << band;
            } catch (const tally::LimitError &) {
            }
        }
    }
    // Late enough that the page's own first paint has happened; long before a pupil answers.
    // Once the last page is up, what was rendered ahead and not used is let go.
    const qreal ratio = shown.devicePixelRatioF();
    QTimer::singleShot(150, this, [this, upcoming, ratio] {
        if (upcoming.isEmpty())
            pictures.clear();
        for (const QString &resource : upcoming)
            pictures.prepare(resource, ratio);
    });
}

void Run::AddToTally(double points)
{
    QLabel *tally = page<F11>().L_b;
    tally->setText(tally::addPoints(tally->text(), points, locale));
}

void Run::ConvertTallyToGrade()
{
    QLabel *tally = page<F11>().L_b;
    tally->setText(tally::pointsToGrade(tally->text(), locale));
}

void Run::End()
{
    if (ending_)
        return;
    ending_ = true;
    std::apply([](auto &...page) { ((page ? (void)page->close() : void()), ...); }, pages_);
    emit ended();
}

void Run::fail(const QString &why)
{
    QMessageBox::critical(nullptr, frame::kTitle,
                          QStringLiteral("Сталася помилка, тест буде завершено без запису результату.\n\n%1").arg(why));
    End();
}

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

int execute(QApplication &app, Run &run)
{
    QObject::connect(&run, &Run::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    run.start();
    return run.ending() ? 0 : app.exec();
}
