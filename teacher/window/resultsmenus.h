// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results window's menus and tool bar: every action the teacher takes there, with its text,
// shortcut and tip; the files and folders to open and the class lists asked for in file dialogs.

#include <QObject>

class QMainWindow;

namespace teacher {

class ClassListKeeper;
class ResultsOutputs;

class ResultsMenus : public QObject {
    Q_OBJECT
public:
    ResultsMenus(QMainWindow &window, ResultsOutputs &outputs, ClassListKeeper &lists);

signals:
    // Journal files or a folder of journals chosen to be read too.
    void opened(const QStringList &paths);

private:
    void addFiles();
    void addFolder();
    void chooseClassLists();

    QMainWindow &window_;
    ClassListKeeper &lists_;
};

} // namespace teacher
