// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One graded item as the pupil left it: what a question page grades, as the details record
// writes it down. Plain data, so the pages that make it and the record that carries it share
// it without either knowing the other.

#include <QString>

#include <optional>

struct GradedItem {
    QString page;     // the page's name, F02 ... F09
    QString item;     // the control graded: T1 ... T5, C1 ... C6; the page's name for a single choice
    QString question; // the text the pupil saw beside it
    QString answer;   // what the pupil typed, chose or ticked, as shown; empty when nothing
    bool right = false;
    std::optional<int> points; // the page's points, where the page is scored as a whole
};
