// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The results window's class lists: remembered per folder opened, shown while in force, and the
// teacher's word on names one letter off a listed pupil's.
#include "teacher/window/resultswindow.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QSet>
#include <QSettings>

namespace teacher {

// Lists are remembered for the folders they were given with: another folder opened later (another
// school year, another class's share) never has them applied.
static const QString kListsKey = QStringLiteral("classListsByFolder");

QStringList ResultsWindow::openedKeys() const
{
    return opened_.isEmpty() ? QStringList{QString()} : opened_;
}

void ResultsWindow::rememberedLists()
{
    const QVariantMap byFolder =
        QSettings(QString::fromLatin1(kSettingsOrganisation), QString::fromLatin1(kSettingsApplication))
            .value(kListsKey)
            .toMap();
    for (const QString &folder : openedKeys())
        for (const QString &path : byFolder.value(folder).toStringList())
            if (!listPaths_.contains(path))
                listPaths_ << path;
}

void ResultsWindow::rememberLists()
{
    QSettings settings(QString::fromLatin1(kSettingsOrganisation), QString::fromLatin1(kSettingsApplication));
    QVariantMap byFolder = settings.value(kListsKey).toMap();
    for (const QString &folder : openedKeys()) {
        if (listPaths_.isEmpty())
            byFolder.remove(folder);
        else
            byFolder.insert(folder, listPaths_);
    }
    settings.setValue(kListsKey, byFolder);
}

void ResultsWindow::addClassLists(const QStringList &paths)
{
    for (const QString &path : paths) {
        const QString absolute = QFileInfo(path).absoluteFilePath();
        listPaths_.removeAll(absolute); // given again: read again, and it takes its class's place
        listPaths_ << absolute;
    }
    rememberLists();
    readClassLists();
}

void ResultsWindow::forgetClassLists()
{
    listPaths_.clear();
    rememberLists();
    readClassLists();
}

void ResultsWindow::readClassLists()
{
    QVector<ClassList> lists;
    listProblems_.clear();
    for (const QString &path : std::as_const(listPaths_)) {
        QString error;
        ClassList list = readClassList(path, &error);
        if (error.isEmpty())
            lists << list;
        else
            listProblems_ << QStringLiteral("Список класу: ") + error;
    }
    model_.setClassLists(lists);
    listProblems_ << model_.listProblems(); // namesakes
    // Which lists are in force: a later list of a class takes an earlier one's place.
    QStringList names, paths;
    QSet<QString> classes;
    for (qsizetype l = lists.size() - 1; l >= 0; --l)
        if (!classes.contains(comparedGroup(lists[l].group))) {
            classes.insert(comparedGroup(lists[l].group));
            names.prepend(QFileInfo(lists[l].path).fileName());
            paths.prepend(QDir::toNativeSeparators(lists[l].path));
        }
    listsInForce_->setText(QStringLiteral("Списки класів: %1").arg(names.join(QStringLiteral(", "))));
    listsInForce_->setToolTip(paths.join(QChar(u'\n')));
    listsInForce_->setVisible(!names.isEmpty());
    refreshProblems();
}

QMenu *ResultsWindow::settleMenu(const QModelIndex &index)
{
    const int row = filter_.mapToSource(index).row();
    const QStringList candidates = row < 0 ? QStringList() : model_.listCandidates(row);
    if (candidates.isEmpty())
        return nullptr;
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("settleMenu"));
    const QString name = model_.rows()[row].name;
    auto settle = [this, name](int candidate) {
        // The row may have moved while the menu was open: found again by its name.
        for (int r = 0; r < model_.rowCount(); ++r) {
            if (model_.rows()[r].name != name || model_.listCandidates(r).isEmpty())
                continue;
            QString error;
            if (!model_.choose(r, candidate, &error))
                QMessageBox::warning(this, windowTitle(), error);
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

void ResultsWindow::chooseClassLists()
{
    const QStringList files =
        QFileDialog::getOpenFileNames(this, QStringLiteral("Список класу: файл з назвою класу, по учню в рядку"), {},
                                      QStringLiteral("Списки класів (*.txt);;Усі файли (*)"));
    if (!files.isEmpty())
        addClassLists(files);
}

} // namespace teacher
