#include "control/application.h"
#include "control/run.h"
#include "result/journal.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareApplication(app);
    Run run(journal::defaultFile());
    return execute(app, run);
}
