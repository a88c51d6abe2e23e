// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window/detailspanel.h"

#include "result/details.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace teacher {

namespace {
// The share of pupils right as a bar: green for the right, red for the rest, the number beside.
class ShareBar : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const double share = index.data(Qt::UserRole).toDouble();
        const QRect bar = option.rect.adjusted(4, option.rect.height() / 4, -4, -option.rect.height() / 4);
        const int right = int(bar.width() * share + 0.5);
        painter->fillRect(QRect(bar.left(), bar.top(), right, bar.height()), QColor(0x3C, 0x9A, 0x4C));
        painter->fillRect(QRect(bar.left() + right, bar.top(), bar.width() - right, bar.height()),
                          QColor(0xD9, 0x4A, 0x3D));
    }
};

QString pupilText(const QString &name, const QString &group)
{
    const QString shown = name.trimmed().isEmpty() ? QStringLiteral("без імені") : name;
    return group.isEmpty() ? shown : QStringLiteral("%1 (%2)").arg(shown, group);
}
} // namespace

DetailsPanel::DetailsPanel(QWidget *parent)
    : QWidget(parent), items_(new QTableWidget(0, 4)), wrong_(new QListWidget), status_(new QListWidget),
      note_(new QLabel), clock_(new QTimer(this))
{
    items_->setObjectName(QStringLiteral("itemsTable"));
    items_->setAccessibleName(QStringLiteral("Питання: частка учнів, які відповіли правильно"));
    items_->setHorizontalHeaderLabels({QStringLiteral("Текст питання"), QStringLiteral("Питання"),
                                       QStringLiteral("Правильно"), QStringLiteral("Частка")});
    items_->setSelectionBehavior(QAbstractItemView::SelectRows);
    items_->setSelectionMode(QAbstractItemView::SingleSelection);
    items_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    items_->setWordWrap(false);
    items_->verticalHeader()->hide();
    items_->setItemDelegateForColumn(3, new ShareBar(items_));
    items_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    const QFontMetrics fm = fontMetrics();
    items_->setColumnWidth(1,
                           fm.horizontalAdvance(QStringLiteral("Питання 5, «клавіатура»")) + 2 * fm.averageCharWidth());
    items_->setColumnWidth(2, fm.horizontalAdvance(QStringLiteral("25 з 25 (100 %)")) + 3 * fm.averageCharWidth());
    items_->setColumnWidth(3, fm.horizontalAdvance(QStringLiteral("Частка")) * 2);
    wrong_->setObjectName(QStringLiteral("wrongAnswers"));
    wrong_->setAccessibleName(QStringLiteral("Хто помилився і що відповів"));
    status_->setObjectName(QStringLiteral("runStatus"));
    status_->setAccessibleName(QStringLiteral("Хто ще працює і хто не завершив"));
    note_->setObjectName(QStringLiteral("detailsNote"));
    note_->setWordWrap(true);

    auto *wrongBox = new QWidget;
    auto *wrongLayout = new QVBoxLayout(wrongBox);
    wrongLayout->setContentsMargins(0, 0, 0, 0);
    wrongLayout->addWidget(new QLabel(QStringLiteral("Помилилися (відповідь):")));
    wrongLayout->addWidget(wrong_);
    auto *statusBox = new QWidget;
    auto *statusLayout = new QVBoxLayout(statusBox);
    statusLayout->setContentsMargins(0, 0, 0, 0);
    statusLayout->addWidget(new QLabel(QStringLiteral("Зараз:")));
    statusLayout->addWidget(status_);
    auto *side = new QSplitter(Qt::Vertical);
    side->addWidget(wrongBox);
    side->addWidget(statusBox);
    auto *split = new QSplitter(Qt::Horizontal);
    split->addWidget(items_);
    split->addWidget(side);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split, 1);
    layout->addWidget(note_);
    connect(items_, &QTableWidget::itemSelectionChanged, this, &DetailsPanel::showWrong);

    // The minutes of pupils at work move on, and a run passes three hours, without any record.
    clock_->setInterval(30'000);
    connect(clock_, &QTimer::timeout, this, &DetailsPanel::refreshStatus);
    clock_->start();
}

DetailsPanel::~DetailsPanel() = default;

void DetailsPanel::take(const DetailsReads &reads)
{
    for (const auto &[journal, read] : reads) {
        if (read.fromStart)
            book_.forget(journal);
        for (const DetailsRecord &record : read.records)
            book_.add(journal, record);
        for (const QString &problem : read.problems + (read.error.isEmpty() ? QStringList() : QStringList{read.error}))
            if (!problems_.contains(problem))
                problems_ << problem;
    }
    dirty_ = true;
    emit changed();
}

void DetailsPanel::rematch(ResultsModel &model)
{
    matched_.clear();
    model.setRowDetails(matchRows(book_, model, &matched_));
}

void DetailsPanel::refresh(ResultsModel &model, const ResultsFilter &filter)
{
    // Rows are matched to runs again only when rows or records came; a new filter only
    // changes which of them count.
    if (dirty_) {
        rematch(model);
        dirty_ = false;
    }
    // Each pupil once, with the attempt that counts (the window's rule), as the summary does;
    // and finished runs whose line is missing. Those shown, as the CSV of questions counts them.
    const QVector<const RunState *> counted = countedRuns(
        book_, model, matched_, [&](int row) { return filter.mapFromSource(model.index(row, 0)).isValid(); },
        [&](const RunState &run) { return filter.acceptsPupil(run.name, run.group, run.topic); });
    // Runs with no line in the journal: at work, left, or finished with the line missing.
    QVector<const RunState *> unmatched;
    for (const RunState &run : book_.runs())
        if (!run.hasJournalLine && filter.acceptsPupil(run.name, run.group, run.topic))
            unmatched << &run;
    std::sort(unmatched.begin(), unmatched.end(), [](const RunState *a, const RunState *b) {
        return std::tie(a->started, a->id) < std::tie(b->started, b->id);
    });
    unmatched_.clear();
    for (const RunState *run : std::as_const(unmatched))
        unmatched_ << run->key();

    const QString selected = items_->currentRow() >= 0 && items_->currentRow() < stats_.size()
                                 ? stats_[items_->currentRow()].page + QChar(0) + stats_[items_->currentRow()].item
                                 : QString();
    stats_ = itemStats(counted);
    const QSignalBlocker quiet(items_);
    items_->setRowCount(int(stats_.size()));
    int reselect = -1;
    for (int i = 0; i < stats_.size(); ++i) {
        const ItemStat &s = stats_[i];
        auto *question = new QTableWidgetItem(s.question);
        question->setToolTip(s.question);
        auto *item = new QTableWidgetItem(s.label());
        item->setToolTip(s.label());
        auto *right = new QTableWidgetItem(
            QStringLiteral("%1 з %2 (%3 %)").arg(s.right).arg(s.pupils).arg(qRound(s.share() * 100)));
        right->setTextAlignment(Qt::AlignCenter);
        auto *bar = new QTableWidgetItem;
        bar->setData(Qt::UserRole, s.share());
        bar->setToolTip(right->text());
        items_->setItem(i, 0, question);
        items_->setItem(i, 1, item);
        items_->setItem(i, 2, right);
        items_->setItem(i, 3, bar);
        if (s.page + QChar(0) + s.item == selected)
            reselect = i;
    }
    items_->setCurrentCell(reselect, 0);
    showWrong();
    refreshStatus();
}

void DetailsPanel::showWrong()
{
    wrong_->clear();
    const int row = items_->currentRow();
    if (row < 0 || row >= stats_.size())
        return;
    for (const ItemStat::Miss &miss : stats_[row].wrong)
        wrong_->addItem(QStringLiteral("%1: %2").arg(
            pupilText(miss.name, miss.group), miss.answer.isEmpty() ? QStringLiteral("без відповіді") : miss.answer));
}

void DetailsPanel::refreshStatus()
{
    const QDateTime now = QDateTime::currentDateTime();
    status_->clear();
    for (const QString &id : std::as_const(unmatched_)) {
        const auto found = book_.runs().constFind(id);
        if (found == book_.runs().constEnd())
            continue;
        const RunState *run = &found.value();
        QString text;
        switch (run->status(now)) {
        case RunState::Status::Working: text = statusText(*run, now); break;
        case RunState::Status::Left:
            text = run->leftOn.isEmpty() ? statusText(*run, now)
                                         : QStringLiteral("%1 (на %2)").arg(statusText(*run, now), run->leftOn);
            break;
        case RunState::Status::Finished:
            text = QStringLiteral("завершив, оцінка %1; рядка в журналі немає").arg(run->finished->grade);
            break;
        }
        const QString since = run->started.isValid() ? run->started.toString(QStringLiteral("HH:mm")) : QString();
        auto *item = new QListWidgetItem(QStringLiteral("%1 — %2%3")
                                             .arg(pupilText(run->name, run->group), text,
                                                  since.isEmpty() ? QString() : QStringLiteral(", з %1").arg(since)));
        item->setToolTip(QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(run->journal), run->computer));
        status_->addItem(item);
    }
    note_->setText(problems_.isEmpty()
                       ? QString()
                       : QStringLiteral("Не прочитано в подробицях: %1").arg(problems_.join(QStringLiteral("; "))));
    note_->setVisible(!problems_.isEmpty());
}

} // namespace teacher
