#include "control/run.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareApplication(app);
    Run run(defaultJournalDrive());
    QObject::connect(&run, &Run::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    run.start();
    if (run.ending())
        return 0;
    return app.exec();
}
