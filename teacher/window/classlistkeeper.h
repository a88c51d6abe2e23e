// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The class lists the results are matched against: given now or remembered in the settings for
// the folders opened (never applied to another folder), read, and handed to the table's model.

#include "teacher/reading/classlist.h"

#include <QObject>
#include <QStringList>

namespace teacher {

class ResultsModel;

class ClassListKeeper : public QObject {
    Q_OBJECT
public:
    // opened: the journal files and folders the window opens with; the lists remembered for them
    // are taken, not yet read.
    ClassListKeeper(ResultsModel &model, const QStringList &opened, QObject *parent = nullptr);

    // More files or folders opened: the lists remembered for them come with them.
    void open(const QStringList &paths);
    // Lists given by path, in order: read and remembered for the folders open.
    void add(const QStringList &paths);
    // No list for the folders open, from now on.
    void forget();
    // Reads every list again and hands them to the model; then changed().
    void read();

    const QStringList &paths() const { return paths_; }
    // The lists that could not be read, and namesakes on a list, said for the teacher.
    const QStringList &problems() const { return problems_; }
    // The lists in force, by file: a later list of a class takes an earlier one's place.
    const QStringList &inForce() const { return inForce_; }

    static constexpr const char *kSettingsOrganisation = "netquiz";
    static constexpr const char *kSettingsApplication = "results";

signals:
    // The lists were read: what is in force and what could not be read may have changed.
    void changed();

private:
    QStringList openedKeys() const;
    void takeRemembered();
    void remember();

    ResultsModel &model_;
    QStringList opened_; // folders and files opened, as absolute paths
    QStringList paths_;
    QStringList problems_;
    QStringList inForce_;
};

} // namespace teacher
