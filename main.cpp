#include "control/run.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareApplication(app);
    Run run(defaultJournalDrive());
    return execute(app, run);
}
