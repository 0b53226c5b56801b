// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "CardWrapper.h"
#include "TableCell.h"
#include "Undo.h"

namespace {

// Records its label when executed.
class Marker : public UndoOp {
public:
    Marker(std::vector<int> &log, int label)
        : Log(log)
        , Label(label)
    {
    }
    void Execute() override { Log.push_back(Label); }

private:
    std::vector<int> &Log;
    int Label;
};


} // namespace

TEST(UndoStep, GroupsKeepRecordingOrPrependOrder)
{
    std::vector<int> log;
    const auto mark = [&log](int label) { return std::make_unique<Marker>(log, label); };

    UndoStep plain;
    EXPECT_FALSE(plain.HasRecords());
    plain.Add(mark(1));
    plain.Add(mark(2));
    plain.Execute();
    EXPECT_EQ(log, (std::vector<int>{1, 2}));

    log.clear();
    UndoStep recording;
    recording.BeginGroup(false);
    recording.Add(mark(1));
    recording.Add(mark(2));
    recording.Add(mark(3));
    // Records stay in the group until it closes.
    EXPECT_FALSE(recording.HasRecords());
    recording.EndGroup();
    recording.Execute();
    EXPECT_EQ(log, (std::vector<int>{1, 2, 3}));

    log.clear();
    UndoStep prepend;
    prepend.BeginGroup(true);
    prepend.Add(mark(1));
    prepend.Add(mark(2));
    prepend.Add(mark(3));
    prepend.EndGroup();
    prepend.Execute();
    EXPECT_EQ(log, (std::vector<int>{3, 2, 1}));

    // A closing group goes in front of the records made before it; opening a
    // group closes the one that is open.
    log.clear();
    UndoStep mixed;
    mixed.Add(mark(1));
    mixed.BeginGroup(false);
    mixed.Add(mark(2));
    mixed.Add(mark(3));
    mixed.BeginGroup(true);
    mixed.Add(mark(4));
    mixed.Add(mark(5));
    mixed.EndGroup();
    mixed.EndGroup();
    mixed.Add(mark(6));
    mixed.Execute();
    EXPECT_EQ(log, (std::vector<int>{5, 4, 2, 3, 1, 6}));
    EXPECT_EQ(mixed.RecordCount(), 6);
}

TEST(UndoStep, MovesRestoreCellIndexAndPersistentFlags)
{
    TableCell a, b;
    CardWrapper c0, c1, c2;
    a.Add(&c0, true);
    a.Add(&c1, true);
    a.Add(&c2, true);
    c1.SetFlags(CardWrapper::FrontUp | CardWrapper::Hidden);
    c2.SetFlags(CardWrapper::FrontUp | CardWrapper::Highlight);

    UndoStep step;
    step.BeginGroup(false);
    step.AddPosition(&c1); // from the middle of a
    step.AddMove(&c2, &a); // from the top of a
    step.AddCardFlags(&c0);
    step.EndGroup();

    // The action: c1 and c2 go to b, c0 is turned and highlighted, c2 is
    // being dragged.
    b.Add(&c1, true);
    b.Add(&c2, true);
    c1.SetFlags(CardWrapper::Moving);
    c2.AddFlags(CardWrapper::Moving);
    c0.SetFlags(CardWrapper::FrontUp | CardWrapper::Highlight);

    step.Execute();
    EXPECT_EQ(a.GetCards(), (std::vector<CardWrapper *>{&c0, &c1, &c2}));
    EXPECT_EQ(b.GetCount(), 0);
    EXPECT_EQ(c1.GetCell(), &a);
    EXPECT_EQ(c1.GetFlags(), uint32_t(CardWrapper::FrontUp | CardWrapper::Hidden));
    // Highlight and Moving never come back.
    EXPECT_EQ(c2.GetFlags(), uint32_t(CardWrapper::FrontUp));
    EXPECT_EQ(c0.GetFlags(), 0u);
}

