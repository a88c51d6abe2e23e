// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The five question pages. Each grades its own answers against its answer key in Com_Click and
// hands over to the next page through the run. gradedItems() lists what the page grades, with
// the verdicts Com_Click counts, for the details record.

#include "pages/gradeditem.h"
#include "pages/page.h"
#include "pages/tally.h"

#include <QVariant>
#include <cstdint>

// The fields of a page that grades several items: how many are right, that share, its points.
struct GradedItems {
    QVariant RightCount; // empty until an item is right
    float RightShare = 0;
    std::int16_t PagePoints = 0;

    void countRight() { RightCount = RightCount.toInt() + std::int16_t(1); }
    // The share of `items` that are right, and the page's points from it.
    void score(int items)
    {
        const tally::PageScore score = tally::scorePage(RightCount.toInt(), items);
        RightShare = score.RightShare;
        PagePoints = score.PagePoints;
    }
    // Counts the right ones of the page's graded items and scores the page by them.
    void grade(const QList<GradedItem> &items)
    {
        for (const GradedItem &item : items)
            if (item.right)
                countRight();
        score(int(items.size()));
    }
};

// Matching: five network kinds against five descriptions.
class F02 : public Page {
public:
    explicit F02(PageHost &run);
    static const frame::PageDesign &design();
    void Form_Load() override;
    const GradedItems &graded() const { return graded_; }
    // T1 to T5: the description beside each box, the number typed; the page's points.
    QList<GradedItem> gradedItems() const;

protected:
    void Com_Click() override;

private:
    GradedItems graded_;
};

// One question with four options, one of them right. The pages differ only in their design
// table and which mark is right.
class SingleChoicePage : public Page {
public:
    // One item named after the page: the question, the option chosen (empty when none).
    QList<GradedItem> gradedItems() const;

protected:
    SingleChoicePage(PageHost &run, const frame::PageDesign &design, const char *rightMark);
    void Com_Click() override;

private:
    const char *rightMark_;
};

// Single choice: what a computer network is.
class F03 : public SingleChoicePage {
public:
    explicit F03(PageHost &run);
    static const frame::PageDesign &design();
};

// Single choice: the device in the picture.
class F04 : public SingleChoicePage {
public:
    explicit F04(PageHost &run);
    static const frame::PageDesign &design();
};

// Single choice: what the Internet is.
class F05 : public SingleChoicePage {
public:
    explicit F05(PageHost &run);
    static const frame::PageDesign &design();
};

// Multiple choice: what connecting computers to a network needs; then the grade.
class F09 : public Page {
public:
    explicit F09(PageHost &run);
    static const frame::PageDesign &design();
    const GradedItems &graded() const { return graded_; }
    // C1 to C6: the text beside each box, ticked or not; the page's points.
    QList<GradedItem> gradedItems() const;

protected:
    void Com_Click() override;

private:
    GradedItems graded_;
};
