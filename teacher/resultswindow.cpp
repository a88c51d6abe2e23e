// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/resultswindow.h"

#include "teacher/csvexport.h"
#include "teacher/summarypanel.h"

#include <QCollator>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>

#include <algorithm>

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

ResultsWindow::ResultsWindow(const QStringList &paths, QWidget *parent)
    : QMainWindow(parent), table_(new QTableView), groups_(new QComboBox), topics_(new QComboBox),
      search_(new QLineEdit), summary_(new SummaryPanel), counts_(new QLabel), problems_(new QLabel)
{
    setWindowTitle(QStringLiteral("Результати тесту"));
    table_->setObjectName(QStringLiteral("resultsTable"));
    table_->setModel(&filter_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() * 3 / 2);
    table_->setItemDelegateForColumn(SourceColumn, new PathDelegate(table_));
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setResizeContentsPrecision(200); // a sample is enough for widths
    // Lines first in the order read; a click on a heading sorts by it.
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table_->setSortingEnabled(true);

    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(table_);
    splitter->addWidget(summary_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setChildrenCollapsible(false);
    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(buildFilters());
    layout->addWidget(splitter, 1);
    setCentralWidget(central);
    buildMenus();
    problems_->setObjectName(QStringLiteral("problems"));
    problems_->setStyleSheet(QStringLiteral("color: #a00000"));
    counts_->setObjectName(QStringLiteral("counts"));
    statusBar()->addPermanentWidget(counts_);
    statusBar()->addWidget(problems_, 1);

    connect(&journals_, &LiveJournals::read, &model_, &ResultsModel::apply);
    connect(&journals_, &LiveJournals::problemsChanged, this, [this] {
        const QStringList all = journals_.problems();
        problems_->setText(all.isEmpty() ? QString() : all.size() == 1 ? all[0] : QStringLiteral("%1 (і ще %2)").arg(all[0]).arg(all.size() - 1));
        problems_->setToolTip(all.join(u'\n'));
    });
    connect(&model_, &ResultsModel::contentChanged, this, &ResultsWindow::refresh);
    connect(summary_, &SummaryPanel::groupChosen, this,
            [this](const QString &group) { groups_->setCurrentIndex(std::max(0, groups_->findData(group))); });

    for (const QString &path : paths)
        journals_.add(path);
    table_->resizeColumnsToContents();
    // A torn line shown whole or a long topic must not push the other columns out of sight.
    const int letter = table_->fontMetrics().averageCharWidth();
    const int topic = table_->fontMetrics().horizontalAdvance(journal::kTopicName) + 2 * letter;
    const int widest[ColumnCount] = {topic, 30 * letter, 12 * letter, 12 * letter, 8 * letter, 36 * letter, 0};
    for (int column = 0; column < SourceColumn; ++column)
        table_->setColumnWidth(column, std::min(table_->columnWidth(column), widest[column]));
    refresh();
    resize(1100, 760);
}

QWidget *ResultsWindow::buildFilters()
{
    groups_->setObjectName(QStringLiteral("groupFilter"));
    topics_->setObjectName(QStringLiteral("topicFilter"));
    search_->setObjectName(QStringLiteral("nameSearch"));
    search_->setPlaceholderText(QStringLiteral("частина прізвища чи імені"));
    search_->setClearButtonEnabled(true);
    groups_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    topics_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    refreshChoices(groups_, {});
    refreshChoices(topics_, {});
    auto chosen = [](QComboBox *box) { return box->currentData().toString(); };
    connect(groups_, &QComboBox::currentIndexChanged, this, [=, this] {
        filter_.setGroup(chosen(groups_));
        refresh();
    });
    connect(topics_, &QComboBox::currentIndexChanged, this, [=, this] {
        filter_.setTopic(chosen(topics_));
        refresh();
    });
    connect(search_, &QLineEdit::textChanged, this, [this](const QString &text) {
        filter_.setNameSearch(text);
        refreshStatus();
    });

    auto *bar = new QWidget;
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char16_t *, QWidget *> labelled[] = {{u"&Клас:", groups_}, {u"&Тема:", topics_}, {u"&Пошук:", search_}};
    for (const auto &[text, field] : labelled) {
        auto *label = new QLabel(QString::fromUtf16(text));
        label->setBuddy(field);
        row->addWidget(label);
        row->addWidget(field, field == search_ ? 1 : 0);
    }
    return bar;
}

void ResultsWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&Файл"));
    QAction *addFiles = file->addAction(QStringLiteral("Додати &журнали…"), this, &ResultsWindow::addFiles);
    addFiles->setShortcut(QKeySequence::Open);
    QAction *addFolder = file->addAction(QStringLiteral("Додати &теку…"), this, &ResultsWindow::addFolder);
    file->addSeparator();
    QAction *csv = file->addAction(QStringLiteral("Зберегти як &CSV…"), this, &ResultsWindow::saveCsv);
    csv->setShortcut(QKeySequence::Save);
    csv->setToolTip(QStringLiteral("Зберегти показані рядки як таблицю CSV"));
    file->addSeparator();
    file->addAction(QStringLiteral("&Закрити"), this, &QWidget::close)->setShortcut(QKeySequence::Quit);

    QToolBar *tools = addToolBar(QStringLiteral("Дії"));
    tools->setObjectName(QStringLiteral("actions"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addActions({addFiles, addFolder, csv});
}

void ResultsWindow::refreshChoices(QComboBox *box, const QStringList &values)
{
    QStringList items{QString()};
    items << values;
    QStringList now;
    for (int i = 0; i < box->count(); ++i)
        now << box->itemData(i).toString();
    if (now == items)
        return;
    const QString current = box->currentData().toString();
    const QSignalBlocker quiet(box); // the teacher's choice stays what it was
    box->clear();
    box->addItem(box == groups_ ? QStringLiteral("усі класи") : QStringLiteral("усі теми"), QString());
    for (const QString &value : values)
        box->addItem(value, value);
    box->setCurrentIndex(std::max(0, box->findData(current)));
}

void ResultsWindow::refresh()
{
    QSet<QString> groups, topics;
    for (const Row &row : model_.rows())
        if (!row.unreadable()) {
            groups.insert(row.groupKey);
            topics.insert(row.entry.topic);
        }
    QCollator collator{QLocale(QLocale::Ukrainian, QLocale::Ukraine)};
    collator.setNumericMode(true);
    auto sorted = [&](const QSet<QString> &values) {
        QStringList list(values.cbegin(), values.cend());
        std::sort(list.begin(), list.end(), collator);
        return list;
    };
    refreshChoices(groups_, sorted(groups));
    refreshChoices(topics_, sorted(topics));
    summary_->refresh(model_, filter_);
    refreshStatus();
}

void ResultsWindow::refreshStatus()
{
    int unreadable = 0;
    for (const Row &row : model_.rows())
        unreadable += row.unreadable();
    counts_->setText(QStringLiteral("Журналів: %1 · рядків: %2 · показано: %3 · не прочитано: %4")
                         .arg(model_.files().size())
                         .arg(model_.rowCount())
                         .arg(filter_.rowCount())
                         .arg(unreadable));
}

QByteArray ResultsWindow::csvOfShownRows() const
{
    QList<int> shown;
    for (int i = 0; i < filter_.rowCount(); ++i) {
        const int row = filter_.mapToSource(filter_.index(i, 0)).row();
        if (!model_.rows()[row].unreadable())
            shown << row;
    }
    std::sort(shown.begin(), shown.end(), [this](int a, int b) { return model_.lessThan(a, b, SourceColumn); });
    CsvDocument csv;
    for (int row : shown)
        csv.add(model_.rows()[row].entry, model_.files()[model_.rows()[row].file], model_.rows()[row].line);
    return csv.bytes();
}

void ResultsWindow::addFiles()
{
    const QStringList files = QFileDialog::getOpenFileNames(this, QStringLiteral("Додати журнали"), {},
                                                            QStringLiteral("Журнали (*.txt);;Усі файли (*)"));
    for (const QString &file : files)
        journals_.add(file);
}

void ResultsWindow::addFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Додати теку з журналами"));
    if (!folder.isEmpty())
        journals_.add(folder);
}

void ResultsWindow::saveCsv()
{
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Зберегти як CSV"), QStringLiteral("результати.csv"),
                                                      QStringLiteral("Таблиця CSV (*.csv)"));
    if (file.isEmpty())
        return;
    QString error;
    if (teacher::saveCsv(csvOfShownRows(), file, &error))
        statusBar()->showMessage(QStringLiteral("Збережено: %1").arg(QDir::toNativeSeparators(file)), 5000);
    else
        QMessageBox::warning(this, windowTitle(), error);
}

} // namespace teacher
