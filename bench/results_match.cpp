// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Class-list matching at scale, timed from inside: a list of 5,000 pupils against 5,000 results
// (most typed as listed, some with the words swapped or Latin look-alikes, one in fifty a letter
// off), matched whole, as the command line does; then lines appended one at a time, as the
// window takes a pupil finishing: a listed pupil's first result (a missing row goes), and a repeat.
//   results_match      prints match_ms (whole) append_first_ms append_repeat_ms (medians of 20)
#include "result/journalline.h"
#include "teacher/reading/classlist.h"
#include "teacher/model/resultsmodel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

using namespace teacher;

namespace {
// Names as a class list holds them: a surname and a first name from syllables, all different.
QString pupil(int n)
{
    static const QStringList syllables{QStringLiteral("ко"), QStringLiteral("ва"), QStringLiteral("ле"), QStringLiteral("ни"), QStringLiteral("ро"), QStringLiteral("ша"), QStringLiteral("ту"),
                                       QStringLiteral("ми"), QStringLiteral("да"), QStringLiteral("бо"), QStringLiteral("зе"), QStringLiteral("ли"), QStringLiteral("си"), QStringLiteral("гу")};
    QString surname = QStringLiteral("Пе"), first = QStringLiteral("О");
    for (int k = n, i = 0; i < 3; ++i, k /= 14)
        surname += syllables[k % 14];
    for (int k = n / 2744, i = 0; i < 2; ++i, k /= 14)
        first += syllables[(k + i) % 14];
    return surname + QStringLiteral("нко ") + first + QStringLiteral("на");
}

double medianOf(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    constexpr int kPupils = 5000, kAppended = 20;
    QTemporaryDir dir;
    const QString listPath = dir.filePath(QStringLiteral("9-А.txt")), journalPath = dir.filePath(QStringLiteral("1.txt"));
    QStringList names;
    for (int n = 0; n < kPupils; ++n)
        names << pupil(n);
    QFile list(listPath);
    if (!list.open(QIODevice::WriteOnly) || list.write(names.join(u'\n').toUtf8()) < 0)
        return 1;
    list.close();
    QByteArray bytes;
    for (int n = 0; n < kPupils - kAppended; ++n) {
        QString typed = names[n];
        if (n % 50 == 7)
            typed[3] = u'ї'; // a letter off
        else if (n % 3 == 1)
            typed = typed.section(u' ', 1) + u' ' + typed.section(u' ', 0, 0);
        else if (n % 7 == 2)
            typed.replace(u'о', u'o'); // Latin o
        bytes += journal::record(typed, n % 2 ? QStringLiteral("9а") : QStringLiteral("9-А"), QStringLiteral("07.12.26"), QString::number(n % 12 + 1));
    }
    QFile journal(journalPath);
    if (!journal.open(QIODevice::WriteOnly) || journal.write(bytes) < 0)
        return 1;
    journal.close();
    QString error;
    const ClassList classList = readClassList(listPath, &error);
    GrowingJournal reader(journalPath);
    ReadResult read = reader.read();

    ResultsModel model;
    model.apply({{journalPath, read}});
    QElapsedTimer clock;
    clock.start();
    model.setClassLists({classList});
    const double whole = clock.nsecsElapsed() / 1e6;

    auto append = [&](const QString &name) {
        QFile file(journalPath);
        if (!file.open(QIODevice::Append))
            return -1.0;
        file.write(journal::record(name, QStringLiteral("9-А"), QStringLiteral("08.12.26"), QStringLiteral("9")));
        file.close();
        ReadResult more = reader.read();
        QElapsedTimer one;
        one.start();
        model.apply({{journalPath, more}});
        return one.nsecsElapsed() / 1e6;
    };
    QList<double> first, repeat;
    for (int i = 0; i < kAppended; ++i)
        first << append(names[kPupils - kAppended + i]);
    for (int i = 0; i < kAppended; ++i)
        repeat << append(names[i * 97]);
    printf("match_ms %.1f append_first_ms %.2f append_repeat_ms %.2f rows %d absent %d\n", whole, medianOf(first),
           medianOf(repeat), model.rowCount(), model.absentCount());
    return 0;
}
