// Saves a picture of every page as the pupil sees it: pageshots OUTDIR [grade]
// (run with QT_SCALE_FACTOR=2 for the 200 % look).
#include "support.h"

#include <QDir>

using namespace support;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    prepareApplication(app);
    QTemporaryDir drive;
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const QString grade = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("10");
    QDir().mkpath(out);
    Run run(journal::fileUnder(drive.path()));
    support::ModalAnswerer answers({QStringLiteral("Учень"), QStringLiteral("9-А")});
    run.start();
    auto shoot = [&](Page &p) {
        p.Show();
        if (!QTest::qWaitForWindowExposed(&p))
            qWarning("page %s not exposed", qPrintable(p.objectName()));
        p.grab().save(out + QLatin1Char('/') + p.objectName() + QStringLiteral(".png"));
    };
    shoot(run.page<F02>());
    child<QRadioButton>(run.page<F03>(), "op3")->setChecked(true); // one chosen mark, to see its look
    shoot(run.page<F03>());
    shoot(run.page<F04>());
    shoot(run.page<F05>());
    child<QCheckBox>(run.page<F09>(), "C1")->setChecked(true); // one ticked box, to see its look
    shoot(run.page<F09>());
    run.tally().setText(grade);
    shoot(run.page<F11>());
    run.page<F11>().Form_Activate();
    run.page<F11>().grab().save(out + QStringLiteral("/F11.png"));
    return 0;
}
