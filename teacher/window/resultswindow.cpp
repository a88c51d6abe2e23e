// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window/resultswindow.h"

#include "teacher/window/guidewindow.h"
#include "teacher/model/marks.h"
#include "teacher/window/detailspanel.h"
#include "teacher/window/summarypanel.h"

#include <QCollator>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
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

ResultsWindow::ResultsWindow(const QStringList &paths, const QStringList &classLists, AttemptRule rule, QWidget *parent)
    : QMainWindow(parent), table_(new QTableView), groups_(new QComboBox), topics_(new QComboBox),
      attempt_(new QComboBox), search_(new QLineEdit), summary_(new SummaryPanel), details_(new DetailsPanel),
      counts_(new QLabel), progress_(new QLabel), listsInForce_(new QLabel), problems_(new QListWidget),
      refreshSoon_(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Результати тесту"));
    buildTable();
    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(buildFilters());
    layout->addWidget(buildProblems());
    layout->addWidget(buildTableAndTabs(), 1);
    setCentralWidget(central);
    buildMenus();
    buildStatusBar();
    connectReading();
    setColumnWidths();
    model_.setAttemptRule(rule);
    attempt_->setCurrentIndex(attempt_->findData(int(rule)));
    for (const QString &path : paths)
        opened_ << QFileInfo(path).absoluteFilePath();
    // The lists given before for these folders, then those given now.
    rememberedLists();
    if (classLists.isEmpty())
        readClassLists();
    else
        addClassLists(classLists);
    for (const QString &path : paths)
        journals_.add(path);
    refresh();
    resize(QSize(1100, 760).boundedTo(screen()->availableGeometry().size()));
}

void ResultsWindow::buildTable()
{
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
    // A name one letter off a listed pupil's is settled on its row.
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table_, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (QMenu *menu = settleMenu(table_->indexAt(at))) {
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(table_->viewport()->mapToGlobal(at));
        }
    });
}

QWidget *ResultsWindow::buildTableAndTabs()
{
    // Below the table: the classes' summary, and from the details records each question and
    // who is still working.
    auto *below = new QTabWidget;
    below->setObjectName(QStringLiteral("belowTable"));
    below->addTab(summary_, QStringLiteral("&Підсумок"));
    below->addTab(details_, QStringLiteral("П&итання і хто працює"));
    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(table_);
    splitter->addWidget(below);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setChildrenCollapsible(false);
    return splitter;
}

QWidget *ResultsWindow::buildProblems()
{
    // Every journal or folder that cannot be read, by name and reason; hidden while there is none.
    problems_->setObjectName(QStringLiteral("problems"));
    problems_->setAccessibleName(QStringLiteral("Журнали й теки, яких не вдалося прочитати"));
    problems_->setMaximumHeight(problems_->fontMetrics().height() * 9 / 2);
    problems_->setTextElideMode(Qt::ElideMiddle);
    problems_->hide();
    return problems_;
}

void ResultsWindow::buildStatusBar()
{
    counts_->setObjectName(QStringLiteral("counts"));
    progress_->setObjectName(QStringLiteral("progress"));
    statusBar()->addPermanentWidget(counts_);
    statusBar()->addWidget(progress_, 1);
}

void ResultsWindow::connectReading()
{
    connect(&journals_, &LiveJournals::read, &model_, &ResultsModel::apply);
    connect(&journals_, &LiveJournals::detailsRead, details_, &DetailsPanel::take);
    connect(&journals_, &LiveJournals::problemsChanged, this, &ResultsWindow::refreshProblems);
    connect(&journals_, &LiveJournals::progress, this, [this](int done, int known) {
        progress_->setText(journals_.reading() ? QStringLiteral("Читаю журнали: %1 з %2…").arg(done).arg(known)
                                               : QString());
        refreshStatus();
    });
    // Rows come in rounds while journals are read: the summary, chart and choices follow once per
    // burst, off the path of every round.
    refreshSoon_->setSingleShot(true);
    refreshSoon_->setInterval(kRefreshMs);
    connect(refreshSoon_, &QTimer::timeout, this, &ResultsWindow::refresh);
    connect(&model_, &ResultsModel::contentChanged, this, [this] {
        details_->invalidate();
        refreshStatus();
        if (!refreshSoon_->isActive())
            refreshSoon_->start();
    });
    connect(details_, &DetailsPanel::changed, this, [this] {
        if (!refreshSoon_->isActive())
            refreshSoon_->start();
    });
    connect(summary_, &SummaryPanel::groupChosen, this,
            [this](const QString &group) { groups_->setCurrentIndex(std::max(0, groups_->findData(group))); });
}

void ResultsWindow::setColumnWidths()
{
    // Widths fixed before any row is read: rows arrive while the teacher looks, and a torn line
    // shown whole or a long topic must not push the other columns out of sight.
    const QFontMetrics fm = table_->fontMetrics();
    const int letter = fm.averageCharWidth();
    const int widths[SourceColumn] = {fm.horizontalAdvance(journal::kTopicName) + 2 * letter,
                                      fm.horizontalAdvance(QStringLiteral("Даниленко Максим")) + 4 * letter,
                                      fm.horizontalAdvance(QStringLiteral("Клас")) + 4 * letter,
                                      fm.horizontalAdvance(QStringLiteral("08.12.2026 10:45")) + 3 * letter,
                                      fm.horizontalAdvance(QStringLiteral("Оцінка")) + 4 * letter,
                                      fm.horizontalAdvance(marks::kNoDetails) + 2 * letter,
                                      fm.horizontalAdvance(marks::kIncomplete) + 2 * letter};
    for (int column = 0; column < SourceColumn; ++column)
        table_->setColumnWidth(column, widths[column]);
}

QWidget *ResultsWindow::buildFilters()
{
    groups_->setObjectName(QStringLiteral("groupFilter"));
    topics_->setObjectName(QStringLiteral("topicFilter"));
    search_->setObjectName(QStringLiteral("nameSearch"));
    search_->setPlaceholderText(QStringLiteral("частина прізвища чи імені"));
    search_->setClearButtonEnabled(true);
    // A class name may run to 255 characters: the boxes keep a sane width and cut long values.
    for (QComboBox *box : {groups_, topics_}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(box == groups_ ? 10 : 24);
    }
    refreshChoices(groups_, {});
    refreshChoices(topics_, {});
    attempt_->setObjectName(QStringLiteral("attemptRule"));
    attempt_->setToolTip(QStringLiteral("Яку спробу учня враховувати в підсумку, діаграмі, звіті й CSV"));
    for (AttemptRule rule : {AttemptRule::Latest, AttemptRule::Best, AttemptRule::First})
        attempt_->addItem(attemptRuleName(rule), int(rule));
    connect(attempt_, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { model_.setAttemptRule(AttemptRule(attempt_->currentData().toInt())); });
    auto chosen = [](QComboBox *box) { return box->currentData().toString(); };
    connect(groups_, qOverload<int>(&QComboBox::currentIndexChanged), this, [=, this] {
        filter_.setGroup(chosen(groups_));
        refresh();
    });
    connect(topics_, qOverload<int>(&QComboBox::currentIndexChanged), this, [=, this] {
        filter_.setTopic(chosen(topics_));
        refresh();
    });
    connect(search_, &QLineEdit::textChanged, this, [this](const QString &text) {
        filter_.setNameSearch(text);
        details_->refresh(model_, filter_);
        refreshStatus();
    });

    auto *bar = new QWidget;
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char16_t *, QWidget *> labelled[] = {
        {u"&Клас:", groups_}, {u"&Тема:", topics_}, {u"&Пошук:", search_}, {u"&Спроба:", attempt_}};
    for (const auto &[text, field] : labelled) {
        auto *label = new QLabel(QString::fromUtf16(text));
        label->setBuddy(field);
        row->addWidget(label);
        row->addWidget(field, field == search_ ? 1 : 0);
    }
    // The class lists results are matched against, for the folders open now.
    listsInForce_->setObjectName(QStringLiteral("listsInForce"));
    listsInForce_->hide();
    row->addWidget(listsInForce_);
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
    QAction *pdf = file->addAction(QStringLiteral("Зберегти як &PDF…"), this, &ResultsWindow::savePdf);
    pdf->setObjectName(QStringLiteral("savePdf"));
    pdf->setToolTip(QStringLiteral("Зберегти звіт класу (те, що показано) як PDF"));
    QAction *preview = file->addAction(QStringLiteral("Попередній перегл&яд…"), this, &ResultsWindow::preview);
    preview->setObjectName(QStringLiteral("printPreview"));
    QAction *print = file->addAction(QStringLiteral("&Друк…"), this, &ResultsWindow::print);
    print->setObjectName(QStringLiteral("print"));
    print->setShortcut(QKeySequence::Print);
    print->setToolTip(QStringLiteral("Надрукувати звіт класу: те, що показано"));
    file->addSeparator();
    QAction *lists = file->addAction(QStringLiteral("&Список класу…"), this, &ResultsWindow::chooseClassLists);
    lists->setObjectName(QStringLiteral("classList"));
    lists->setToolTip(QStringLiteral("Список учнів класу: файл з назвою класу (9-А.txt), по учню в рядку"));
    file->addAction(QStringLiteral("Забути списки класів"), this, &ResultsWindow::forgetClassLists)
        ->setObjectName(QStringLiteral("forgetClassLists"));
    file->addSeparator();
    file->addAction(QStringLiteral("&Закрити"), this, &QWidget::close)->setShortcut(QKeySequence::Quit);
    QMenu *help = menuBar()->addMenu(QStringLiteral("&Довідка"));
    QAction *guide = help->addAction(QStringLiteral("&Довідка для вчителя"), this, [this] { showGuide(this); });
    guide->setObjectName(QStringLiteral("showGuide"));
    guide->setShortcut(QKeySequence::HelpContents);

    QToolBar *tools = addToolBar(QStringLiteral("Дії"));
    tools->setObjectName(QStringLiteral("actions"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addActions({addFiles, addFolder, csv, pdf, print, lists});
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
    {
        const QSignalBlocker quiet(box); // the teacher's choice stays what it was
        box->clear();
        box->addItem(box == groups_ ? QStringLiteral("усі класи") : QStringLiteral("усі теми"), QString());
        for (const QString &value : values) {
            box->addItem(shortened(value, box == groups_ ? 40 : 60), value);
            box->setItemData(box->count() - 1, value, Qt::ToolTipRole);
        }
        box->setCurrentIndex(std::max(0, box->findData(current)));
    }
    // A class now spelt as its list spells it: the choice goes with the old spelling.
    if (box->currentData().toString() != current)
        emit box->currentIndexChanged(box->currentIndex());
}

void ResultsWindow::refresh()
{
    refreshSoon_->stop();
    QElapsedTimer clock;
    clock.start();
    QCollator collator{QLocale(QLocale::Ukrainian, QLocale::Ukraine)};
    collator.setNumericMode(true);
    auto sorted = [&](const QVector<int> &ids) {
        QStringList list;
        for (int id : ids)
            list << model_.textOf(id);
        std::sort(list.begin(), list.end(), collator);
        return list;
    };
    refreshChoices(groups_, sorted(model_.groupKeys()));
    refreshChoices(topics_, sorted(model_.topics()));
    if (details_->match(model_)) // before the summary: the records' word keeps rows out of it
        refreshProblems();
    summary_->refresh(model_, filter_);
    details_->refresh(model_, filter_);
    refreshStatus();
    // The summary counts every row: while a school's rows pour in, it follows less often, so that it
    // never takes more than about a tenth of the window's time.
    refreshSoon_->setInterval(std::max<int>(kRefreshMs, int(clock.elapsed()) * 10));
}

void ResultsWindow::refreshStatus()
{
    // Lines that could not be read and journals or folders that could not be read: each needs a look.
    counts_->setText(QStringLiteral("Журналів: %1 · рядків: %2 · показано: %3 · не прочитано: %4")
                         .arg(std::max<qsizetype>(journals_.journalCount(), model_.files().size()))
                         .arg(model_.rowCount())
                         .arg(filter_.rowCount())
                         .arg(model_.unreadableCount() + journals_.problems().size() + listProblems_.size()));
}

void ResultsWindow::refreshProblems()
{
    const QStringList all = journals_.problems() + listProblems_ + details_->missingFiles() + journals_.waiting();
    problems_->clear();
    for (const QString &problem : all) {
        auto *item = new QListWidgetItem(problem, problems_);
        item->setToolTip(problem);
        if (!journals_.waiting().contains(problem))
            item->setForeground(QColor(0xA0, 0x00, 0x00));
    }
    problems_->setVisible(!all.isEmpty());
    refreshStatus();
}

void ResultsWindow::addFiles()
{
    const QStringList files = QFileDialog::getOpenFileNames(this, QStringLiteral("Додати журнали"), {},
                                                            QStringLiteral("Журнали (*.txt);;Усі файли (*)"));
    if (!files.isEmpty())
        opened(files);
}

void ResultsWindow::addFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Додати теку з журналами"));
    if (!folder.isEmpty())
        opened({folder});
}

void ResultsWindow::opened(const QStringList &paths)
{
    // The lists remembered for a folder come with it.
    for (const QString &path : paths)
        opened_ << QFileInfo(path).absoluteFilePath();
    const QStringList before = listPaths_;
    rememberedLists();
    if (listPaths_ != before) {
        rememberLists();
        readClassLists();
    }
    for (const QString &path : paths)
        journals_.add(path);
}

} // namespace teacher
