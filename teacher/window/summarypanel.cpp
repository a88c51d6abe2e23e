// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window/summarypanel.h"

#include "teacher/report/gradechart.h"
#include "teacher/model/resultsfilter.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace teacher {

QString decimal(double value)
{
    const QLocale ukrainian(QLocale::Ukrainian, QLocale::Ukraine);
    return qFuzzyCompare(value, qRound(value)) ? ukrainian.toString(qRound(value)) : ukrainian.toString(value, 'f', 1);
}

QString summaryText(const ClassSummary &summary, AttemptRule rule)
{
    const QString absent = summary.absent > 0 ? QStringLiteral(" · не складали: %1").arg(summary.absent) : QString();
    if (summary.pupils == 0)
        return QStringLiteral("Ще немає оцінок.") + absent;
    return QStringLiteral("Учнів: %1 · середня %2 · медіана %3%4\n"
                          "Кожного учня враховано один раз, за %5 спробою; рядок без імені - окремий учень.")
        .arg(summary.pupils)
        .arg(decimal(summary.mean), decimal(summary.median), absent,
             rule == AttemptRule::Best    ? QStringLiteral("найкращою")
             : rule == AttemptRule::First ? QStringLiteral("першою")
                                          : QStringLiteral("останньою"));
}

QString shortened(const QString &value, int letters)
{
    return value.size() <= letters ? value : value.left(letters - 1) + QChar(u'…');
}

SummaryPanel::SummaryPanel(QWidget *parent)
    : QWidget(parent), heading_(new QLabel(this)), figures_(new QLabel(this)), classes_(new QTableWidget(0, 4, this)),
      chart_(new GradeChart(this))
{
    heading_->setObjectName(QStringLiteral("summaryHeading"));
    heading_->setWordWrap(true);
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    figures_->setObjectName(QStringLiteral("summaryFigures"));
    figures_->setWordWrap(true);
    chart_->setObjectName(QStringLiteral("gradeChart"));

    classes_->setObjectName(QStringLiteral("classSummaries"));
    classes_->setHorizontalHeaderLabels({QStringLiteral("Клас"), QStringLiteral("Учнів"), QStringLiteral("Середня"),
                                         QStringLiteral("Медіана")});
    classes_->verticalHeader()->hide();
    classes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    classes_->setSelectionBehavior(QAbstractItemView::SelectRows);
    classes_->setSelectionMode(QAbstractItemView::NoSelection);
    classes_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    classes_->setToolTip(QStringLiteral("Двічі клацніть клас, щоб показати лише його"));
    connect(classes_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { emit groupChosen(classes_->item(row, 0)->data(Qt::UserRole).toString()); });

    auto *left = new QVBoxLayout;
    left->addWidget(heading_);
    left->addWidget(figures_);
    left->addWidget(classes_, 1);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left, 2);
    layout->addWidget(chart_, 5);
}

void SummaryPanel::refresh(const ResultsModel &model, const ResultsFilter &filter)
{
    const int topic = filter.topic().isEmpty() ? -1 : model.idOf(filter.topic());
    auto ofTopic = [&](const Row &row) { return topic < 0 ? filter.topic().isEmpty() : row.topic == topic; };
    const QVector<ClassSummary> perClass = summariesByClass(model, ofTopic);

    // Every cell set would fit the columns to all cells again: they are fitted once, when all are in.
    QHeaderView *header = classes_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    classes_->setRowCount(int(perClass.size()));
    for (int i = 0; i < perClass.size(); ++i) {
        const ClassSummary &s = perClass[i];
        const QStringList cells{shortened(s.group), QString::number(s.pupils), s.pupils ? decimal(s.mean) : QString(),
                                s.pupils ? decimal(s.median) : QString()};
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
            if (c == 0) {
                item->setData(Qt::UserRole, s.group);
                item->setToolTip(s.group);
            }
            classes_->setItem(i, c, item);
        }
    }
    header->setSectionResizeMode(QHeaderView::ResizeToContents);

    const ClassSummary shown = summarise(model, [&](const Row &row) { return filter.inGroupAndTopic(row); });
    const QString who = filter.group().isEmpty() ? QStringLiteral("Усі класи") : QStringLiteral("Клас %1").arg(shortened(filter.group()));
    heading_->setText(filter.topic().isEmpty() ? who : QStringLiteral("%1 · %2").arg(who, shortened(filter.topic(), 60)));
    figures_->setText(summaryText(shown, model.attemptRule()));
    chart_->setCounts(shown.counts);
}

} // namespace teacher
