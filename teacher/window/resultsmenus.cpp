// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window/resultsmenus.h"

#include "teacher/window/classlistkeeper.h"
#include "teacher/window/guidewindow.h"
#include "teacher/window/resultsoutputs.h"

#include <QFileDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace teacher {

ResultsMenus::ResultsMenus(QMainWindow &window, ResultsOutputs &outputs, ClassListKeeper &lists)
    : QObject(&window), window_(window), lists_(lists)
{
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&Файл"));
    QAction *addFiles = file->addAction(QStringLiteral("Додати &журнали…"), this, &ResultsMenus::addFiles);
    addFiles->setShortcut(QKeySequence::Open);
    QAction *addFolder = file->addAction(QStringLiteral("Додати &теку…"), this, &ResultsMenus::addFolder);
    file->addSeparator();
    QAction *csv = file->addAction(QStringLiteral("Зберегти як &CSV…"), &outputs, &ResultsOutputs::saveCsv);
    csv->setObjectName(QStringLiteral("saveCsv"));
    csv->setShortcut(QKeySequence::Save);
    csv->setToolTip(QStringLiteral("Зберегти показані рядки як таблицю CSV"));
    QAction *pdf = file->addAction(QStringLiteral("Зберегти як &PDF…"), &outputs, &ResultsOutputs::savePdf);
    pdf->setObjectName(QStringLiteral("savePdf"));
    pdf->setToolTip(QStringLiteral("Зберегти звіт класу (те, що показано) як PDF"));
    QAction *preview = file->addAction(QStringLiteral("Попередній перегл&яд…"), &outputs, &ResultsOutputs::preview);
    preview->setObjectName(QStringLiteral("printPreview"));
    QAction *print = file->addAction(QStringLiteral("&Друк…"), &outputs, &ResultsOutputs::print);
    print->setObjectName(QStringLiteral("print"));
    print->setShortcut(QKeySequence::Print);
    print->setToolTip(QStringLiteral("Надрукувати звіт класу: те, що показано"));
    file->addSeparator();
    QAction *choose = file->addAction(QStringLiteral("&Список класу…"), this, &ResultsMenus::chooseClassLists);
    choose->setObjectName(QStringLiteral("classList"));
    choose->setToolTip(QStringLiteral("Список учнів класу: файл з назвою класу (9-А.txt), по учню в рядку"));
    file->addAction(QStringLiteral("Забути списки класів"), &lists, &ClassListKeeper::forget)
        ->setObjectName(QStringLiteral("forgetClassLists"));
    file->addSeparator();
    QAction *markFolder =
        file->addAction(QStringLiteral("Позначити теку &класу…"), &outputs, &ResultsOutputs::markClassFolder);
    markFolder->setObjectName(QStringLiteral("markClassFolder"));
    markFolder->setToolTip(QStringLiteral("Позначити спільну теку, куди комп'ютери учнів записують свої журнали"));
    file->addSeparator();
    file->addAction(QStringLiteral("&Закрити"), &window, &QWidget::close)->setShortcut(QKeySequence::Quit);
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("&Довідка"));
    QAction *guide = help->addAction(QStringLiteral("&Довідка для вчителя"), this, [&window] { showGuide(&window); });
    guide->setObjectName(QStringLiteral("showGuide"));
    guide->setShortcut(QKeySequence::HelpContents);

    QToolBar *tools = window.addToolBar(QStringLiteral("Дії"));
    tools->setObjectName(QStringLiteral("actions"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addActions({addFiles, addFolder, csv, pdf, print, choose});
}

void ResultsMenus::addFiles()
{
    const QStringList files = QFileDialog::getOpenFileNames(&window_, QStringLiteral("Додати журнали"), {},
                                                            QStringLiteral("Журнали (*.txt);;Усі файли (*)"));
    if (!files.isEmpty())
        emit opened(files);
}

void ResultsMenus::addFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(&window_, QStringLiteral("Додати теку з журналами"));
    if (!folder.isEmpty())
        emit opened({folder});
}

void ResultsMenus::chooseClassLists()
{
    const QStringList files =
        QFileDialog::getOpenFileNames(&window_, QStringLiteral("Список класу: файл з назвою класу, по учню в рядку"),
                                      {}, QStringLiteral("Списки класів (*.txt);;Усі файли (*)"));
    if (!files.isEmpty())
        lists_.add(files);
}

} // namespace teacher
