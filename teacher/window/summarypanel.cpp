// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window/summarypanel.h"

#include "teacher/model/resultsfilter.h"
#include "teacher/report/gradechart.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace teacher {

SummaryPanel::SummaryPanel(QWidget *parent)
    : QWidget(parent), heading_(new QLabel(this)), figures_(new QLabel(this)), classes_(new QTableWidget(0, 5, this)),
      chart_(new GradeChart(this))
{
    heading_->setObjectName(QStringLiteral("summaryHeading"));
    heading_->setWordWrap(true);
    // A long class name never widens the window: the heading takes the width the figures leave it
    // (with a larger desktop font, 40 letters of a class can outgrow the rest of the panel).
    heading_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    figures_->setObjectName(QStringLiteral("summaryFigures"));
    figures_->setWordWrap(true);
    chart_->setObjectName(QStringLiteral("gradeChart"));

    classes_->setObjectName(QStringLiteral("classSummaries"));
    classes_->setHorizontalHeaderLabels({QStringLiteral("Клас"), QStringLiteral("Тема"), QStringLiteral("Учнів"),
                                         QStringLiteral("Середня"), QStringLiteral("Медіана")});
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
    auto shown = [&](const Row &row) { return filter.inGroupAndTopic(row); };
    // A line per class and test: a pupil who took two tests is counted in each test's line, and
    // no line averages two tests.
    const QVector<ClassSummary> perClass = summariesByClass(model, shown);
    const QVector<int> tests = summarisedTopics(model, shown);
    const bool several = tests.size() > 1;
    classes_->setColumnHidden(1, !several);

    // Every cell set would fit the columns to all cells again: they are fitted once, when all are in.
    QHeaderView *header = classes_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    classes_->setRowCount(int(perClass.size()));
    for (int i = 0; i < perClass.size(); ++i) {
        const ClassSummary &s = perClass[i];
        const QStringList cells{shortened(s.group), shortened(s.topic, 30), QString::number(s.pupils),
                                s.pupils ? decimal(s.mean) : QString(), s.pupils ? decimal(s.median) : QString()};
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c < 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
            if (c == 0) {
                item->setData(Qt::UserRole, s.group);
                item->setToolTip(s.group);
            } else if (c == 1) {
                item->setToolTip(s.topic);
            }
            classes_->setItem(i, c, item);
        }
    }
    header->setSectionResizeMode(QHeaderView::ResizeToContents);

    const QString who = filter.group().isEmpty() ? QStringLiteral("Усі класи")
                                                 : QStringLiteral("Клас %1").arg(shortened(filter.group()));
    heading_->setText(filter.topic().isEmpty() ? who
                                               : QStringLiteral("%1 · %2").arg(who, shortened(filter.topic(), 60)));
    if (several) {
        // Figures and a chart of two tests together would mean nothing: each test's are on its own
        // line of the classes' table, and its chart once it is chosen.
        figures_->setText(QStringLiteral("Тестів: %1. Кожен підраховано окремо (рядки нижче); "
                                         "оберіть тему, щоб побачити її діаграму.")
                              .arg(tests.size()));
        chart_->setCounts({});
        return;
    }
    const ClassSummary all = summarise(model, shown);
    figures_->setText(summaryText(all, model.attemptRule()));
    chart_->setCounts(all.counts);
}

} // namespace teacher
