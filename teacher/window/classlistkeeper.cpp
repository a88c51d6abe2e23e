// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window/classlistkeeper.h"

#include "teacher/model/resultsmodel.h"

#include <QFileInfo>
#include <QSet>
#include <QSettings>

namespace teacher {

// Lists are remembered for the folders they were given with: another folder opened later (another
// school year, another class's share) never has them applied.
static const QString kListsKey = QStringLiteral("classListsByFolder");

static QSettings settings()
{
    return QSettings(QString::fromLatin1(ClassListKeeper::kSettingsOrganisation),
                     QString::fromLatin1(ClassListKeeper::kSettingsApplication));
}

ClassListKeeper::ClassListKeeper(ResultsModel &model, const QStringList &opened, QObject *parent)
    : QObject(parent), model_(model)
{
    for (const QString &path : opened)
        opened_ << QFileInfo(path).absoluteFilePath();
    takeRemembered();
}

QStringList ClassListKeeper::openedKeys() const
{
    return opened_.isEmpty() ? QStringList{QString()} : opened_;
}

void ClassListKeeper::takeRemembered()
{
    const QVariantMap byFolder = settings().value(kListsKey).toMap();
    for (const QString &folder : openedKeys())
        for (const QString &path : byFolder.value(folder).toStringList())
            if (!paths_.contains(path))
                paths_ << path;
}

void ClassListKeeper::remember()
{
    QSettings settings = teacher::settings();
    QVariantMap byFolder = settings.value(kListsKey).toMap();
    for (const QString &folder : openedKeys()) {
        if (paths_.isEmpty())
            byFolder.remove(folder);
        else
            byFolder.insert(folder, paths_);
    }
    settings.setValue(kListsKey, byFolder);
}

void ClassListKeeper::open(const QStringList &paths)
{
    for (const QString &path : paths)
        opened_ << QFileInfo(path).absoluteFilePath();
    const QStringList before = paths_;
    takeRemembered();
    if (paths_ != before) {
        remember();
        read();
    }
}

void ClassListKeeper::add(const QStringList &paths)
{
    for (const QString &path : paths) {
        const QString absolute = QFileInfo(path).absoluteFilePath();
        paths_.removeAll(absolute); // given again: read again, and it takes its class's place
        paths_ << absolute;
    }
    remember();
    read();
}

void ClassListKeeper::forget()
{
    paths_.clear();
    remember();
    read();
}

void ClassListKeeper::read()
{
    QVector<ClassList> lists;
    problems_.clear();
    for (const QString &path : std::as_const(paths_)) {
        QString error;
        ClassList list = readClassList(path, &error);
        if (error.isEmpty())
            lists << list;
        else
            problems_ << QStringLiteral("Список класу: ") + error;
    }
    model_.setClassLists(lists);
    problems_ << model_.listProblems(); // namesakes
    inForce_.clear();
    QSet<QString> classes;
    for (qsizetype l = lists.size() - 1; l >= 0; --l)
        if (!classes.contains(comparedGroup(lists[l].group))) {
            classes.insert(comparedGroup(lists[l].group));
            inForce_.prepend(lists[l].path);
        }
    emit changed();
}

} // namespace teacher
