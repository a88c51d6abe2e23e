#include "control/application.h"

#include "control/run.h"
#include "pages/artwork.h"

#include <QApplication>
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

int execute(QApplication &app, Run &run)
{
    QObject::connect(&run, &Run::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    run.start();
    return run.ending() ? 0 : app.exec();
}
