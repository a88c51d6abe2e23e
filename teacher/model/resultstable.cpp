// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The results as a table: the texts, colours and tooltips a view shows, and what a column sorts by.
#include "teacher/model/resultsmodel.h"

#include "teacher/model/marks.h"

#include <QColor>
#include <QDir>

namespace teacher {

int ResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows().size());
}

int ResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QModelIndex ResultsModel::index(int row, int column, const QModelIndex &parent) const
{
    // Asked for twice a comparison while a sorted table is laid out: bounds checked here, not
    // through rowCount() and columnCount().
    const bool inside = !parent.isValid() && row >= 0 && row < rows().size() && column >= 0 && column < ColumnCount;
    return inside ? createIndex(row, column) : QModelIndex();
}

void ResultsModel::setRowDetails(QHash<qint64, RowDetails> details)
{
    if (!judge_.setDetails(std::move(details)))
        return;
    // Finish times reorder attempts and the records' word marks rows: every row judged again.
    reindex(true);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

QString ResultsModel::listMark(const Row &row) const
{
    if (row.absent)
        return marks::kAbsent;
    return roster_.mark(row);
}

QString ResultsModel::marks(int i) const
{
    const Row &row = rows()[i];
    const QString listed = listMark(row);
    // Most rows have none: said without building a list.
    if (!row.incomplete && !row.unreadable() && !row.uncertain() && attempts(row) == 1 && listed.isEmpty() &&
        !row.nameless() && !row.doubt)
        return {};
    marks::Facts facts;
    facts.incomplete = row.incomplete;
    if (row.unreadable())
        facts.unreadable = textOf(row.reason);
    facts.uncertain = row.uncertain();
    facts.nameless = row.nameless();
    facts.list = listed;
    if (row.doubt) {
        const RowDetails details = rowDetails(row);
        facts.noDetails = row.doubt & NoDetails;
        facts.answersGrade = row.doubt & GradeNotAnswers ? details.answersGrade : -1;
        facts.impossibleDate = row.doubt & ImpossibleDate;
        facts.futureDate = row.doubt & FutureDate;
        if (row.doubt & DateNotDetails)
            facts.detailsDay = details.finishedDay;
    }
    facts.attempts = attempts(row);
    if (facts.attempts > 1) {
        facts.attempt = attempt(i);
        facts.counted = counted(i);
    }
    return marks::text(facts);
}

QString ResultsModel::text(int i, int column) const
{
    const Row &row = rows()[i];
    switch (column) {
    case TopicColumn: return textOf(row.topic);
    case NameColumn: return row.name;
    case GroupColumn: return textOf(row.group);
    case DateColumn:
        if (const RowDetails details = rowDetails(row); !details.finished.isEmpty())
            return textOf(row.date) + QChar(u' ') + details.finished;
        return textOf(row.date);
    case DurationColumn: return rowDetails(row).duration;
    case GradeColumn: return textOf(row.grade);
    case SourceColumn: return QStringLiteral("%1:%2").arg(QDir::toNativeSeparators(sourceOf(row))).arg(row.line);
    case MarksColumn: return marks(i);
    }
    return {};
}

QVariant ResultsModel::sortValue(int i, int column) const
{
    const Row &row = rows()[i];
    switch (column) {
    case GradeColumn:
        if (row.gradeValue >= 0)
            return qint64(row.gradeValue);
        break;
    case DateColumn:
        if (const QDate date = dateOf(row); date.isValid())
            return date.toJulianDay();
        break;
    case DurationColumn:
        if (const qint64 seconds = rowDetails(row).seconds; seconds >= 0)
            return seconds;
        break;
    case SourceColumn: // by the journal's or list's name, then by line
        return sourceOf(row) + QChar(0) + QStringLiteral("%1").arg(row.line, 10, 10, QChar(u'0'));
    default: break;
    }
    return text(i, column);
}

QVariant ResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows().size())
        return {};
    const Row &row = rows()[index.row()];
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == SortRole)
        return sortValue(index.row(), index.column());
    if (role == Qt::ToolTipRole && index.column() == MarksColumn && row.uncertain())
        return QStringLiteral("Ім'я або клас містить «%1», тож межа між ними - лише здогад:\n%2")
                   .arg(journal::kSeparator, row.name + journal::kSeparator + textOf(row.group)) +
               QChar(u'\n') + marks(index.row());
    if (role == Qt::ToolTipRole && index.column() == MarksColumn && row.incomplete)
        return QStringLiteral("Останній рядок журналу ще без кінця рядка (запис обірвався або триває): "
                              "його не враховано. Щойно рядок допишеться, його буде враховано.") +
               QChar(u'\n') + marks(index.row());
    if (role == Qt::ToolTipRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && (index.column() == GradeColumn || index.column() == DurationColumn))
        return int(Qt::AlignCenter);
    if (role != Qt::BackgroundRole && role != Qt::ForegroundRole)
        return {};
    // Marked rows stand out; the marks column says why, so colour is never the only sign.
    const bool look = roster_.wantsLook(row);
    const QColor tint = row.unreadable() || row.incomplete                       ? QColor(0xF6, 0xC6, 0xC6)
                        : row.absent                                             ? QColor(0xE4, 0xE4, 0xE4)
                        : row.uncertain() || row.nameless() || look || row.doubt ? QColor(0xFF, 0xE9, 0xA8)
                        : attempts(row) > 1                                      ? QColor(0xCF, 0xE2, 0xF7)
                                                                                 : QColor();
    if (!tint.isValid())
        return {};
    return role == Qt::BackgroundRole ? tint : QColor(Qt::black);
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char16_t *const titles[ColumnCount] = {u"Тема",   u"Прізвище та ім'я", u"Клас",     u"Дата",
                                                        u"Оцінка", u"Тривалість",       u"Позначки", u"Файл і рядок"};
    return QString::fromUtf16(titles[section]);
}

} // namespace teacher
