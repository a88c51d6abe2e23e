// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/classreport.h"

#include "pages/artwork.h"
#include "teacher/gradechart.h"
#include "teacher/resultsfilter.h"
#include "teacher/summarypanel.h"

#include <QDir>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSet>

namespace teacher {

Report reportOf(const ResultsModel &model, const ResultsFilter &filter)
{
    Report report;
    report.group = filter.group();
    report.search = filter.nameSearch();
    report.printedOn = QDate::currentDate();
    report.rule = model.attemptRule();
    QStringList topics;
    QSet<int> topicIds;
    for (int i = 0; i < filter.rowCount(); ++i) {
        const int r = filter.mapToSource(filter.index(i, 0)).row();
        const Row &row = model.rows()[r];
        if (!row.isResult() && !row.absent)
            continue;
        report.lines.append(
            {row.name, model.textOf(row.group), model.textOf(row.date), model.textOf(row.grade), model.marks(r)});
        if (const QDate date = model.dateOf(row); date.isValid()) {
            report.from = report.from.isValid() ? std::min(report.from, date) : date;
            report.to = report.to.isValid() ? std::max(report.to, date) : date;
        }
        if (!row.absent && !topicIds.contains(row.topic)) {
            topicIds.insert(row.topic);
            topics << model.textOf(row.topic);
        }
    }
    report.topic = filter.topic().isEmpty() ? topics.join(QStringLiteral("; ")) : filter.topic();
    report.summary = summarise(model, [&](const Row &row) { return filter.inGroupAndTopic(row); });
    if (filter.group().isEmpty()) {
        const int topic = filter.topic().isEmpty() ? -1 : model.idOf(filter.topic());
        report.perClass = summariesByClass(
            model, [&](const Row &row) { return topic < 0 ? filter.topic().isEmpty() : row.topic == topic; });
    }
    return report;
}

namespace {

// Lays out (and, when painting, draws) the pages; run once to count them, once to draw.
class Layout {
public:
    Layout(QPagedPaintDevice *device, QPainter *painter, int pages)
        : device_(device), p_(painter), pages_(pages), dpi_(device->logicalDpiY())
    {
        const QPageLayout layout = device->pageLayout();
        page_ = QRect(QPoint(0, 0), layout.paintRectPixels(device->logicalDpiX()).size());
        family_ =
            frame::pageFamily() == QStringLiteral("Comic Sans MS") ? QStringLiteral("Andika") : frame::pageFamily();
    }

    int run(const Report &report);

private:
    int mm(double value) const { return qRound(value * dpi_ / 25.4); }
    QFont font(double points) const
    {
        QFont f(family_);
        f.setPointSizeF(points);
        return f;
    }
    int bottom() const { return page_.height() - footer_; }
    void newPage();
    void footer();
    // Text wrapped into the width; its height, drawn only when painting.
    int text(const QRect &box, const QString &text, const QFont &font, int flags = Qt::AlignLeft | Qt::AlignTop,
             const QColor &colour = Qt::black);
    int textHeight(int width, const QString &text, const QFont &font) const;
    void heading(const Report &report);
    void summary(const Report &report);
    void table(const Report &report);
    void tableHeader();

    QPagedPaintDevice *device_;
    QPainter *p_; // null while counting pages
    int pages_;
    int dpi_;
    QRect page_;
    QString family_;
    int footer_ = 0;
    int page_no_ = 1;
    int y_ = 0;
    QList<int> columns_; // left edges, and the right edge last
};

int Layout::textHeight(int width, const QString &text, const QFont &font) const
{
    const QFontMetrics fm(font, device_);
    return fm.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap | Qt::TextWrapAnywhere, text).height();
}

int Layout::text(const QRect &box, const QString &text, const QFont &font, int flags, const QColor &colour)
{
    const int height = std::max(textHeight(box.width(), text, font), QFontMetrics(font, device_).height());
    if (p_) {
        p_->setFont(font);
        p_->setPen(colour);
        p_->drawText(QRect(box.left(), box.top(), box.width(), height), flags | Qt::TextWordWrap | Qt::TextWrapAnywhere,
                     text);
    }
    return height;
}

void Layout::footer()
{
    if (!p_)
        return;
    const QFont small = font(8);
    p_->setPen(QColor(0x80, 0x80, 0x80));
    p_->drawLine(0, page_.height() - footer_ + mm(2), page_.width(), page_.height() - footer_ + mm(2));
    text(QRect(0, page_.height() - footer_ + mm(3), page_.width(), footer_),
         QStringLiteral("Сторінка %1 з %2").arg(page_no_).arg(pages_), small, Qt::AlignHCenter | Qt::AlignTop,
         QColor(0x40, 0x40, 0x40));
}

void Layout::newPage()
{
    footer();
    if (p_)
        device_->newPage();
    ++page_no_;
    y_ = 0;
}

void Layout::heading(const Report &report)
{
    y_ += text(QRect(0, y_, page_.width(), 0), QStringLiteral("Результати тесту"), font(18),
               Qt::AlignLeft | Qt::AlignTop, QColor(0x1F, 0x3A, 0x68));
    y_ += mm(2);
    const QLocale uk(QLocale::Ukrainian, QLocale::Ukraine);
    auto day = [](const QDate &d) { return d.toString(QStringLiteral("dd.MM.yyyy")); };
    QStringList lines;
    lines << QStringLiteral("Тема: %1").arg(report.topic.isEmpty() ? QStringLiteral("—") : report.topic);
    lines << QStringLiteral("Клас: %1").arg(report.group.isEmpty() ? QStringLiteral("усі класи") : report.group);
    if (!report.search.isEmpty())
        lines << QStringLiteral("Пошук за іменем: «%1»").arg(report.search);
    if (report.from.isValid())
        lines << (report.from == report.to ? QStringLiteral("Дата: %1").arg(day(report.from))
                                           : QStringLiteral("Дати: з %1 по %2").arg(day(report.from), day(report.to)));
    lines << QStringLiteral("Враховано спробу: %1 (кожного учня один раз)").arg(attemptRuleName(report.rule));
    lines << QStringLiteral("Надруковано: %1").arg(day(report.printedOn));
    for (const QString &line : std::as_const(lines))
        y_ += text(QRect(0, y_, page_.width(), 0), line, font(10));
    y_ += mm(4);
}

void Layout::summary(const Report &report)
{
    y_ += text(QRect(0, y_, page_.width(), 0), QStringLiteral("Підсумок"), font(13), Qt::AlignLeft | Qt::AlignTop,
               QColor(0x1F, 0x3A, 0x68));
    y_ += mm(1);
    const ClassSummary &s = report.summary;
    QString figures = s.pupils == 0 ? QStringLiteral("Ще немає оцінок.")
                                    : QStringLiteral("Учнів: %1 · середня %2 · медіана %3")
                                          .arg(s.pupils)
                                          .arg(decimal(s.mean), decimal(s.median));
    if (s.absent > 0)
        figures += QStringLiteral(" · не складали: %1").arg(s.absent);
    y_ += text(QRect(0, y_, page_.width(), 0), figures, font(11));
    y_ += mm(2);
    if (report.perClass.size() > 1) { // each class on a line of its own
        const QFont small = font(9);
        const int widths[] = {mm(40), mm(20), mm(28), mm(22), mm(22)};
        const QStringList titles{QStringLiteral("Клас"), QStringLiteral("Учнів"), QStringLiteral("Не складали"),
                                 QStringLiteral("Середня"), QStringLiteral("Медіана")};
        auto row = [&](const QStringList &cells, bool shaded) {
            int height = 0, x = 0;
            for (int c = 0; c < cells.size(); ++c) {
                height = std::max(height, textHeight(widths[c] - mm(2), cells[c], small));
                x += widths[c];
            }
            height += mm(1.5);
            if (y_ + height > bottom())
                newPage();
            if (p_ && shaded)
                p_->fillRect(QRect(0, y_, x, height), QColor(0xE8, 0xEE, 0xF6));
            x = 0;
            for (int c = 0; c < cells.size(); ++c) {
                text(QRect(x + mm(1), y_ + mm(0.75), widths[c] - mm(2), height), cells[c], small);
                x += widths[c];
            }
            y_ += height;
        };
        row(titles, true);
        for (const ClassSummary &c : report.perClass)
            row({c.group, QString::number(c.pupils), QString::number(c.absent), c.pupils ? decimal(c.mean) : QString(),
                 c.pupils ? decimal(c.median) : QString()},
                false);
        y_ += mm(3);
    }
    // The chart, drawn as on the screen, in vector form.
    const int chartHeight = mm(62);
    if (y_ + chartHeight > bottom())
        newPage();
    if (p_) {
        p_->setFont(font(9));
        GradeChart::draw(*p_, QRect(0, y_, std::min(page_.width(), mm(170)), chartHeight), s.counts, Qt::black);
    }
    y_ += chartHeight + mm(4);
    // The per-question table comes here, once results carry each question's answers.
}

void Layout::tableHeader()
{
    static const char16_t *const titles[] = {u"№", u"Прізвище та ім'я", u"Клас", u"Дата", u"Оцінка", u"Позначки"};
    const QFont small = font(9);
    int height = 0;
    for (int c = 0; c < 6; ++c)
        height =
            std::max(height, textHeight(columns_[c + 1] - columns_[c] - mm(2), QString::fromUtf16(titles[c]), small));
    height += mm(2);
    if (p_) {
        p_->fillRect(QRect(0, y_, page_.width(), height), QColor(0xE8, 0xEE, 0xF6));
        p_->setPen(QColor(0x60, 0x60, 0x60));
        p_->drawLine(0, y_ + height, page_.width(), y_ + height);
    }
    for (int c = 0; c < 6; ++c)
        text(QRect(columns_[c] + mm(1), y_ + mm(1), columns_[c + 1] - columns_[c] - mm(2), height),
             QString::fromUtf16(titles[c]), small);
    y_ += height;
}

void Layout::table(const Report &report)
{
    const int w = page_.width();
    columns_ = {0, mm(10), mm(10) + w * 34 / 100, mm(10) + w * 46 / 100, mm(10) + w * 60 / 100, mm(10) + w * 69 / 100,
                w};
    const QFont heading = font(13), small = font(9);
    const int titleHeight = textHeight(w, QStringLiteral("Учні"), heading) + mm(1);
    if (y_ + titleHeight + mm(14) > bottom()) // the title never stands alone at a page's foot
        newPage();
    y_ += text(QRect(0, y_, w, 0), QStringLiteral("Учні"), heading, Qt::AlignLeft | Qt::AlignTop,
               QColor(0x1F, 0x3A, 0x68)) +
          mm(1);
    tableHeader();
    if (report.lines.isEmpty())
        y_ += text(QRect(mm(1), y_ + mm(1), w, 0), QStringLiteral("Немає рядків."), small) + mm(1);
    for (int i = 0; i < report.lines.size(); ++i) {
        const Report::Line &line = report.lines[i];
        const QStringList cells{QString::number(i + 1), line.name, line.group, line.date, line.grade, line.marks};
        int height = 0;
        for (int c = 0; c < 6; ++c)
            height = std::max(height, textHeight(columns_[c + 1] - columns_[c] - mm(2), cells[c], small));
        height += mm(1.6);
        if (y_ + height > bottom()) { // never a row cut across pages: the whole row goes on, under the header again
            newPage();
            tableHeader();
        }
        if (p_) {
            if (i % 2)
                p_->fillRect(QRect(0, y_, w, height), QColor(0xF5, 0xF5, 0xF5));
            p_->setPen(QColor(0xC8, 0xC8, 0xC8));
            p_->drawLine(0, y_ + height, w, y_ + height);
        }
        for (int c = 0; c < 6; ++c)
            text(QRect(columns_[c] + mm(1), y_ + mm(0.8), columns_[c + 1] - columns_[c] - mm(2), height), cells[c],
                 small, (c == 0 || c == 4 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        y_ += height;
    }
}

int Layout::run(const Report &report)
{
    footer_ = QFontMetrics(font(8), device_).height() + mm(4);
    heading(report);
    summary(report);
    table(report);
    footer();
    return page_no_;
}

} // namespace

int printReport(const Report &report, QPagedPaintDevice *device)
{
    const int pages = Layout(device, nullptr, 0).run(report);
    QPainter painter(device);
    return Layout(device, &painter, pages).run(report);
}

bool saveReportPdf(const Report &report, const QString &file, QString *error)
{
    QSaveFile out(file); // through a file beside it, renamed over it when whole
    if (out.open(QIODevice::WriteOnly)) {
        {
            QPdfWriter pdf(&out);
            pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 12),
                                          QPageLayout::Millimeter));
            pdf.setResolution(300);
            pdf.setTitle(QStringLiteral("Результати тесту"));
            pdf.setCreator(QStringLiteral("netquiz"));
            printReport(report, &pdf);
        }
        if (out.error() == QFileDevice::NoError && out.commit())
            return true;
    }
    *error = QStringLiteral("Не вдалося записати «%1» (%2)").arg(QDir::toNativeSeparators(file), out.errorString());
    out.cancelWriting();
    return false;
}

} // namespace teacher
