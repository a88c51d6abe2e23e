// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/report/gradechart.h"

#include "pages/tally.h"

#include <QPainter>

#include <algorithm>

namespace teacher {

static const char16_t *const kLevels[4] = {u"початковий", u"середній", u"достатній", u"високий"};

GradeChart::GradeChart(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Кількість учнів за оцінками"));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void GradeChart::setCounts(const std::array<int, 12> &counts)
{
    counts_ = counts;
    QStringList spoken;
    for (int g = 1; g <= 12; ++g)
        spoken << QStringLiteral("%1: %2").arg(g).arg(counts_[g - 1]);
    setAccessibleDescription(spoken.join(QStringLiteral(", ")));
    update();
}

QColor GradeChart::levelColour(int grade)
{
    static const QColor colours[4] = {QColor(0xD9, 0x53, 0x4F), QColor(0xF0, 0xA0, 0x30), QColor(0x4A, 0x90, 0xD9),
                                      QColor(0x3C, 0xA0, 0x5A)};
    // The result page's bands are the school's levels; past either end, the nearer one.
    const tally::Band band = tally::bandOf(grade);
    if (band == tally::Band::None)
        return colours[grade < 0 ? 0 : 3];
    return colours[int(band) - int(tally::Band::B1_3)];
}

QSize GradeChart::minimumSizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return {fm.horizontalAdvance(QStringLiteral("00")) * 16, fm.height() * 8};
}

QSize GradeChart::sizeHint() const
{
    return minimumSizeHint() * 3 / 2;
}

// A step for the count axis that gives at most about five lines: 1, 2, 5, 10, 20, 50...
static int gridStep(int most)
{
    for (int step = 1;; step *= 10)
        for (int m : {1, 2, 5})
            if (most <= 5 * m * step)
                return m * step;
}

void GradeChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    draw(p, rect(), counts_, palette().color(QPalette::Text));
}

void GradeChart::draw(QPainter &p, const QRect &area, const std::array<int, 12> &counts, const QColor &text)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm = p.fontMetrics();
    const int line = fm.height();
    const int most = std::max(1, *std::max_element(counts.begin(), counts.end()));
    const int step = gridStep(most);
    const int top = (most + step - 1) / step * step;

    // Room for the count labels on the left, the title and the tallest bar's count above, the
    // grades and the legend below.
    const QRect plot =
        area.adjusted(fm.horizontalAdvance(QString::number(top)) + line, line * 5 / 2, -line / 2, -line * 3);
    if (plot.width() < 12 || plot.height() < line) {
        p.restore();
        return;
    }
    auto yOf = [&](double count) { return plot.bottom() - count * plot.height() / top; };

    QColor grid = text;
    grid.setAlphaF(0.18f);
    for (int v = 0; v <= top; v += step) {
        const int y = qRound(yOf(v));
        p.setPen(QPen(grid, 1));
        p.drawLine(plot.left(), y, plot.right(), y);
        p.setPen(text);
        p.drawText(QRect(area.left(), y - line / 2, plot.left() - area.left() - line / 3, line),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    }

    const double slot = plot.width() / 12.0;
    for (int g = 1; g <= 12; ++g) {
        const int n = counts[g - 1];
        const QRectF bar(plot.left() + (g - 1) * slot + slot * 0.15, yOf(n), slot * 0.7, plot.bottom() - yOf(n));
        p.setPen(Qt::NoPen);
        p.setBrush(levelColour(g));
        p.drawRect(bar);
        p.setPen(text);
        const QRectF column(plot.left() + (g - 1) * slot, area.top(), slot, line);
        if (n > 0)
            p.drawText(column.translated(0, bar.top() - line - area.top()), Qt::AlignCenter, QString::number(n));
        p.drawText(column.translated(0, plot.bottom() + line / 4 - area.top()), Qt::AlignCenter, QString::number(g));
    }

    // The legend names the school's four levels under their grades.
    for (int level = 0; level < 4; ++level) {
        const QRectF under(plot.left() + level * 3 * slot, plot.bottom() + line * 3 / 2, 3 * slot, line);
        const QString name =
            fm.elidedText(QString::fromUtf16(kLevels[level]), Qt::ElideRight, int(under.width()) - line);
        const int swatch = line * 2 / 3;
        const int width = swatch + line / 3 + fm.horizontalAdvance(name);
        const QPointF at(under.center().x() - width / 2.0, under.top());
        p.setPen(Qt::NoPen);
        p.setBrush(levelColour(level * 3 + 1));
        p.drawRect(QRectF(at.x(), at.y() + (line - swatch) / 2.0, swatch, swatch));
        p.setPen(text);
        p.drawText(QRectF(at.x() + swatch + line / 3, at.y(), width, line), Qt::AlignLeft | Qt::AlignVCenter, name);
    }
    p.setPen(QPen(text, 1));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawText(QRect(area.left(), area.top(), area.width(), line), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("Учнів з оцінкою"));
    p.restore();
}

} // namespace teacher
