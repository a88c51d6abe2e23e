// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How many pupils got each grade from 1 to 12, as bars. Drawn with QPainter in the widget's own
// units and font, so it fills whatever room the window gives it and stays sharp at any scale.

#include <QWidget>

class QPainter;

#include <array>

namespace teacher {

class GradeChart : public QWidget {
    Q_OBJECT
public:
    explicit GradeChart(QWidget *parent = nullptr);
    void setCounts(const std::array<int, 12> &counts);
    const std::array<int, 12> &counts() const { return counts_; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

    // The colour of a grade's level: початковий 1-3, середній 4-6, достатній 7-9, високий 10-12.
    static QColor levelColour(int grade);
    // The chart drawn into `area` with the painter's font: on the screen, and on a printed page.
    static void draw(QPainter &painter, const QRect &area, const std::array<int, 12> &counts, const QColor &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<int, 12> counts_{};
};

} // namespace teacher
