// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/window/filterbar.h"

#include "teacher/model/classsummary.h"
#include "teacher/model/resultsfilter.h"

#include <QCollator>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace teacher {

FilterBar::FilterBar(ResultsModel &model, ResultsFilter &filter, QWidget *parent)
    : QWidget(parent), model_(model), filter_(filter), groups_(new QComboBox), topics_(new QComboBox),
      search_(new QLineEdit), attempt_(new QComboBox), listsInForce_(new QLabel)
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
        emit narrowed();
    });
    connect(topics_, qOverload<int>(&QComboBox::currentIndexChanged), this, [=, this] {
        filter_.setTopic(chosen(topics_));
        emit narrowed();
    });
    connect(search_, &QLineEdit::textChanged, this, [this](const QString &text) {
        filter_.setNameSearch(text);
        emit searched();
    });

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char16_t *, QWidget *> labelled[] = {
        {u"&Клас:", groups_}, {u"&Тема:", topics_}, {u"&Пошук:", search_}, {u"&Спроба:", attempt_}};
    for (const auto &[text, field] : labelled) {
        auto *label = new QLabel(QString::fromUtf16(text));
        label->setBuddy(field);
        row->addWidget(label);
        row->addWidget(field, field == search_ ? 1 : 0);
    }
    listsInForce_->setObjectName(QStringLiteral("listsInForce"));
    listsInForce_->hide();
    row->addWidget(listsInForce_);
}

void FilterBar::refreshChoices()
{
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
}

void FilterBar::refreshChoices(QComboBox *box, const QStringList &values)
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

void FilterBar::setAttemptRule(AttemptRule rule)
{
    model_.setAttemptRule(rule);
    attempt_->setCurrentIndex(attempt_->findData(int(rule)));
}

void FilterBar::pickGroup(const QString &group)
{
    groups_->setCurrentIndex(std::max(0, groups_->findData(group)));
}

void FilterBar::showListsInForce(const QStringList &paths)
{
    QStringList names, native;
    for (const QString &path : paths) {
        names << QFileInfo(path).fileName();
        native << QDir::toNativeSeparators(path);
    }
    listsInForce_->setText(QStringLiteral("Списки класів: %1").arg(names.join(QStringLiteral(", "))));
    listsInForce_->setToolTip(native.join(QChar(u'\n')));
    listsInForce_->setVisible(!names.isEmpty());
}

} // namespace teacher
