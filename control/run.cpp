#include "run.h"

#include "../pages/frame.h"
#include "tally.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

Run::Run(const QString &journalDrive, QObject *parent)
    : QObject(parent), journalDrive_(journalDrive), icon_(frame::windowIcon())
{
}

Run::~Run() = default;

void Run::start()
{
    page<F02>().Show();
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

void prepareApplication(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral(":/i18n/qtbase_uk.qm")))
        QApplication::installTranslator(translator);
    app.setQuitOnLastWindowClosed(false);
    app.setWindowIcon(frame::windowIcon());
}

int execute(QApplication &app, Run &run)
{
    QObject::connect(&run, &Run::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    run.start();
    return run.ending() ? 0 : app.exec();
}

QString defaultJournalDrive()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:/");
#else
    return QDir::homePath();
#endif
}
