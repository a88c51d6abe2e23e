// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window/resultstableview.h"

#include "teacher/model/marks.h"
#include "teacher/model/resultsfilter.h"

#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QStyledItemDelegate>

namespace teacher {

namespace {
// A long path keeps its end in sight: the computer's folder and the line number.
class PathDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideMiddle;
    }
};
} // namespace

ResultsTableView::ResultsTableView(ResultsModel &model, ResultsFilter &filter, QWidget *parent)
    : QTableView(parent), model_(model), filter_(filter)
{
    setObjectName(QStringLiteral("resultsTable"));
    setModel(&filter_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() * 3 / 2);
    setItemDelegateForColumn(SourceColumn, new PathDelegate(this));
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setResizeContentsPrecision(200); // a sample is enough for widths
    // Lines first in the order read; a click on a heading sorts by it.
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
    // A name one letter off a listed pupil's is settled on its row.
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (QMenu *menu = settleMenu(indexAt(at))) {
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(viewport()->mapToGlobal(at));
        }
    });
    setColumnWidths();
}

void ResultsTableView::setColumnWidths()
{
    // Widths fixed before any row is read: rows arrive while the teacher looks, and a torn line
    // shown whole or a long topic must not push the other columns out of sight.
    const QFontMetrics fm = fontMetrics();
    const int letter = fm.averageCharWidth();
    const int widths[SourceColumn] = {fm.horizontalAdvance(journal::kTopicName) + 2 * letter,
                                      fm.horizontalAdvance(QStringLiteral("Даниленко Максим")) + 4 * letter,
                                      fm.horizontalAdvance(QStringLiteral("Клас")) + 4 * letter,
                                      fm.horizontalAdvance(QStringLiteral("08.12.2026 10:45")) + 3 * letter,
                                      fm.horizontalAdvance(QStringLiteral("Оцінка")) + 4 * letter,
                                      fm.horizontalAdvance(marks::kNoDetails) + 2 * letter,
                                      fm.horizontalAdvance(marks::kIncomplete) + 2 * letter};
    for (int column = 0; column < SourceColumn; ++column)
        setColumnWidth(column, widths[column]);
}

QMenu *ResultsTableView::settleMenu(const QModelIndex &index)
{
    const int row = filter_.mapToSource(index).row();
    const QStringList candidates = row < 0 ? QStringList() : model_.listCandidates(row);
    if (candidates.isEmpty())
        return nullptr;
    auto *menu = new QMenu(window());
    menu->setObjectName(QStringLiteral("settleMenu"));
    const QString name = model_.rows()[row].name;
    auto settle = [this, name](int candidate) {
        // The row may have moved while the menu was open: found again by its name.
        for (int r = 0; r < model_.rowCount(); ++r) {
            if (model_.rows()[r].name != name || model_.listCandidates(r).isEmpty())
                continue;
            QString error;
            if (!model_.choose(r, candidate, &error))
                QMessageBox::warning(window(), window()->windowTitle(), error);
            return;
        }
    };
    for (int i = 0; i < candidates.size(); ++i)
        menu->addAction(QStringLiteral("Це «%1»").arg(candidates[i]), this, [=] { settle(i); })
            ->setObjectName(QStringLiteral("settle%1").arg(i));
    menu->addAction(QStringLiteral("Це інший учень"), this, [=] { settle(-1); })
        ->setObjectName(QStringLiteral("settleOther"));
    return menu;
}

} // namespace teacher
