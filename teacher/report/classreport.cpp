// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/report/classreport.h"

#include "pages/artwork.h"
#include "qtcompat/graphics.h"
#include "teacher/report/gradechart.h"
#include "teacher/window/summarypanel.h"

#include <QDir>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QSaveFile>

namespace teacher {

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
        // Where the report's typeface lacks a character (an emoji in a name), the first of these
        // that has it prints it.
        for (const QString &family : {family_, QStringLiteral("Noto Color Emoji"), QStringLiteral("Noto Emoji"),
                                      QStringLiteral("Symbola"), QStringLiteral("DejaVu Sans")})
            if (family == family_ || qtcompat::hasFontFamily(family)) {
                families_ << family;
                faces_ << QRawFont::fromFont(QFont(family));
            }
        replacement_ = QString(QChar(0xFFFD));
        if (!isPrintable(0xFFFD))
            replacement_ = QStringLiteral("?");
    }

    int run(const Report &report);

private:
    int mm(double value) const { return qRound(value * dpi_ / 25.4); }
    bool isPrintable(char32_t c)
    {
        const auto known = printable_.constFind(c);
        if (known != printable_.cend())
            return *known;
        const bool has =
            std::any_of(faces_.cbegin(), faces_.cend(), [c](const QRawFont &f) { return f.supportsCharacter(c); });
        printable_.insert(c, has);
        return has;
    }
    QFont font(double points) const
    {
        QFont f(family_);
        f.setFamilies(families_);
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
    void overview(const Report &report);
    void figures(const ClassSummary &summary);
    void chart(const ClassSummary &summary);
    void title(const QString &title, int below);
    void section(const Report::Section &section);
    // A table whose rows are never cut across pages, its header repeated on every page.
    void table(const QStringList &titles, const QVector<QStringList> &rows, const QVector<int> &centred);
    void tableRow(const QStringList &cells, const QFont &font, const QVector<int> &centred, bool header, bool shaded);
    void questions(const QVector<ItemStat> &items);
    // The text as the typefaces at hand can print it: a character none of them has is replaced
    // by a visible sign (a blank would hide a letter of a pupil's name).
    QString printable(const QString &text);

    QPagedPaintDevice *device_;
    QPainter *p_; // null while counting pages
    int pages_;
    int dpi_;
    QRect page_;
    QString family_;
    QStringList families_;
    int footer_ = 0;
    int page_no_ = 1;
    int y_ = 0;
    QVector<int> columns_; // left edges, and the right edge last
    QStringList header_; // the current table's titles, repeated on a new page
    QVector<QRawFont> faces_;
    QHash<char32_t, bool> printable_;
    QString replacement_;
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
        y_ += text(QRect(0, y_, page_.width(), 0), printable(line), font(10));
    y_ += mm(4);
}

QString Layout::printable(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x80 || isPrintable(c)) {
            shown += QString::fromUcs4(&c, 1);
        } else if (QChar::category(c) == QChar::Other_Format || QChar::category(c) == QChar::Mark_NonSpacing ||
                   QChar::category(c) == QChar::Mark_Enclosing) {
            continue;                               // joiners and variation selectors print nothing anyway
        } else if (!shown.endsWith(replacement_)) { // an emoji of several characters is one sign
            shown += replacement_;
        }
    }
    return shown;
}

void Layout::title(const QString &title, int below)
{
    const QFont heading = font(13);
    // A title never stands alone at a page's foot.
    if (y_ + textHeight(page_.width(), title, heading) + below > bottom())
        newPage();
    y_ += text(QRect(0, y_, page_.width(), 0), printable(title), heading, Qt::AlignLeft | Qt::AlignTop,
               QColor(0x1F, 0x3A, 0x68)) +
          mm(1);
}

void Layout::figures(const ClassSummary &s)
{
    QString figures = s.pupils == 0 ? QStringLiteral("Ще немає оцінок.")
                                    : QStringLiteral("Учнів: %1 · середня %2 · медіана %3")
                                          .arg(s.pupils)
                                          .arg(decimal(s.mean), decimal(s.median));
    if (s.absent > 0)
        figures += QStringLiteral(" · не складали: %1").arg(s.absent);
    y_ += text(QRect(0, y_, page_.width(), 0), figures, font(11));
    y_ += mm(2);
}

void Layout::chart(const ClassSummary &s)
{
    // Drawn as on the screen, in vector form.
    const int chartHeight = mm(62);
    if (y_ + chartHeight > bottom())
        newPage();
    if (p_) {
        p_->setFont(font(9));
        GradeChart::draw(*p_, QRect(0, y_, std::min(page_.width(), mm(170)), chartHeight), s.counts, Qt::black);
    }
    y_ += chartHeight + mm(4);
}

void Layout::overview(const Report &report)
{
    title(QStringLiteral("Підсумок"), mm(14));
    figures(report.summary);
    columns_ = {0, mm(40), mm(60), mm(88), mm(110), mm(132)};
    QVector<QStringList> rows;
    for (const Report::Section &section : report.sections) {
        const ClassSummary &c = section.summary;
        rows.append({c.group, QString::number(c.pupils), QString::number(c.absent),
                     c.pupils ? decimal(c.mean) : QString(), c.pupils ? decimal(c.median) : QString()});
    }
    table({QStringLiteral("Клас"), QStringLiteral("Учнів"), QStringLiteral("Не складали"), QStringLiteral("Середня"),
           QStringLiteral("Медіана")},
          rows, {1, 2, 3, 4});
    y_ += mm(3);
}

void Layout::section(const Report::Section &section)
{
    title(QStringLiteral("Клас %1").arg(section.summary.group), mm(14));
    figures(section.summary);
    chart(section.summary);
    title(QStringLiteral("Учні"), mm(14));
    // The number's column as wide as its largest number (10,000 pupils never wrap to "1000 / 0").
    const QFontMetrics fm(font(9), device_);
    const int w = page_.width();
    const int number = std::max(mm(10), fm.horizontalAdvance(QString::number(section.lines.size())) + mm(3));
    columns_ = {0, number, number + w * 34 / 100, number + w * 46 / 100, number + w * 60 / 100, number + w * 69 / 100,
                w};
    QVector<QStringList> rows;
    for (int i = 0; i < section.lines.size(); ++i) {
        const Report::Line &line = section.lines[i];
        rows.append({QString::number(i + 1), line.name, line.group, line.date, line.grade, line.marks});
    }
    table({QStringLiteral("№"), QStringLiteral("Прізвище та ім'я"), QStringLiteral("Клас"), QStringLiteral("Дата"),
           QStringLiteral("Оцінка"), QStringLiteral("Позначки")},
          rows, {0, 4});
}

void Layout::questions(const QVector<ItemStat> &items)
{
    title(QStringLiteral("Питання: найчастіше помилялися - вгорі"), mm(14));
    const int w = page_.width();
    columns_ = {0, w * 30 / 100, w * 78 / 100, w};
    QVector<QStringList> rows;
    for (const ItemStat &s : items)
        rows.append({s.label(), s.question,
                     QStringLiteral("%1 з %2 (%3 %)").arg(s.right).arg(s.pupils).arg(qRound(s.share() * 100))});
    table({QStringLiteral("Питання"), QStringLiteral("Текст питання"), QStringLiteral("Правильно")}, rows, {2});
}

void Layout::tableRow(const QStringList &cells, const QFont &font, const QVector<int> &centred, bool header, bool shaded)
{
    int height = 0;
    for (int c = 0; c < cells.size(); ++c)
        height = std::max(height, textHeight(columns_[c + 1] - columns_[c] - mm(2), cells[c], font));
    height += header ? mm(2) : mm(1.6);
    if (!header &&
        y_ + height > bottom()) { // never a row cut across pages: the whole row goes on, under the header again
        newPage();
        tableRow(header_, font, centred, true, false);
    }
    if (p_) {
        if (header || shaded)
            p_->fillRect(QRect(0, y_, columns_.last(), height),
                         header ? QColor(0xE8, 0xEE, 0xF6) : QColor(0xF5, 0xF5, 0xF5));
        p_->setPen(header ? QColor(0x60, 0x60, 0x60) : QColor(0xC8, 0xC8, 0xC8));
        p_->drawLine(0, y_ + height, columns_.last(), y_ + height);
    }
    for (int c = 0; c < cells.size(); ++c)
        text(QRect(columns_[c] + mm(1), y_ + mm(header ? 1 : 0.8), columns_[c + 1] - columns_[c] - mm(2), height),
             cells[c], font, (!header && centred.contains(c) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    y_ += height;
}

void Layout::table(const QStringList &titles, const QVector<QStringList> &rows, const QVector<int> &centred)
{
    const QFont small = font(9);
    header_ = titles;
    tableRow(titles, small, centred, true, false);
    if (rows.isEmpty())
        y_ += text(QRect(mm(1), y_ + mm(1), page_.width(), 0), QStringLiteral("Немає рядків."), small) + mm(1);
    for (int i = 0; i < rows.size(); ++i) {
        QStringList cells;
        for (const QString &cell : rows[i])
            cells << printable(cell);
        tableRow(cells, small, centred, false, i % 2);
    }
}

int Layout::run(const Report &report)
{
    footer_ = QFontMetrics(font(8), device_).height() + mm(4);
    heading(report);
    if (report.sections.size() > 1)
        overview(report);
    if (report.sections.isEmpty()) {
        figures(report.summary);
        y_ += text(QRect(0, y_, page_.width(), 0), QStringLiteral("Немає рядків."), font(9));
    }
    for (qsizetype n = 0; n < report.sections.size(); ++n) {
        if (report.sections.size() > 1) // each class from a page of its own, as it is filed
            newPage();
        section(report.sections[n]);
    }
    if (!report.items.isEmpty()) {
        newPage();
        questions(report.items);
    }
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
