// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Undo.h"

#include <iterator>

#include "CardWrapper.h"
#include "TableCell.h"

UndoMove::UndoMove(TableCell *cell, CardWrapper *wrapper, int index)
    : Cell(cell)
    , Wrapper(wrapper)
    , Flags(wrapper ? wrapper->GetFlags() : 0)
    , Index(index)
{
}

void UndoMove::Execute()
{
    if (!Wrapper)
        return;
    Wrapper->SetFlags(Flags & CardWrapper::PersistentFlags);
    if (!Cell)
        return;
    if (Index < 0)
        Cell->Add(Wrapper, true);
    else
        Cell->Insert(Wrapper, Index);
}

UndoAction::UndoAction(std::function<void()> callback)
    : Plain(std::move(callback))
{
}

UndoAction::UndoAction(std::function<void(int32_t)> callback, int32_t value)
    : WithValue(std::move(callback))
    , Value(value)
{
}

void UndoAction::Execute()
{
    if (Plain)
        Plain();
    else if (WithValue)
        WithValue(Value);
}

void UndoStep::Add(std::unique_ptr<UndoOp> record)
{
    if (!record)
        return;
    if (!GroupOpen)
        Records.push_back(std::move(record));
    else if (Prepend)
        Group.insert(Group.begin(), std::move(record));
    else
        Group.push_back(std::move(record));
}

void UndoStep::BeginGroup(bool prepend)
{
    EndGroup();
    Prepend = prepend;
    GroupOpen = true;
}

void UndoStep::EndGroup()
{
    if (!GroupOpen)
        return;
    Records.insert(Records.begin(), std::make_move_iterator(Group.begin()), std::make_move_iterator(Group.end()));
    Group.clear();
    GroupOpen = false;
}

void UndoStep::AddMove(CardWrapper *wrapper, TableCell *cell)
{
    Add(std::make_unique<UndoMove>(cell, wrapper));
}

void UndoStep::AddMove(CardWrapper *wrapper, TableCell *cell, int index)
{
    Add(std::make_unique<UndoMove>(cell, wrapper, index));
}

void UndoStep::AddPosition(CardWrapper *wrapper)
{
    if (!wrapper)
        return;
    TableCell *cell = wrapper->GetCell();
    // A card that lies in no list (popped off) goes back on top of its cell.
    AddMove(wrapper, cell, cell ? cell->IndexOf(wrapper) : -1);
}

void UndoStep::AddCardFlags(CardWrapper *wrapper)
{
    AddMove(wrapper, nullptr);
}

void UndoStep::AddAction(std::function<void()> callback)
{
    Add(std::make_unique<UndoAction>(std::move(callback)));
}

void UndoStep::AddAction(std::function<void(int32_t)> callback, int32_t value)
{
    Add(std::make_unique<UndoAction>(std::move(callback), value));
}

void UndoStep::Absorb(UndoStep &later)
{
    later.EndGroup();
    Records.insert(Records.begin(), std::make_move_iterator(later.Records.begin()),
                   std::make_move_iterator(later.Records.end()));
    later.Records.clear();
}

void UndoStep::Execute()
{
    for (const auto &record : Records)
        record->Execute();
}
