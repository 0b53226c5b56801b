// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CardWrapper;
class TableCell;

// One record of an undo step: executing it reverses one change.
class UndoOp {
public:
    virtual ~UndoOp() = default;
    virtual void Execute() = 0;
};

// Puts a card back into a cell (on top, or at an index) and gives it back
// the flags it had when recorded. Only FrontUp and Hidden come back, so
// an undone card is never left moving or highlighted. Without a cell only
// the flags are restored.
class UndoMove : public UndoOp {
public:
    UndoMove(TableCell *cell, CardWrapper *wrapper, int index = -1);
    void Execute() override;

private:
    TableCell *Cell;
    CardWrapper *Wrapper;
    uint32_t Flags;
    int Index; // -1: on top
};

// Calls back into the game to restore a value, such as the score.
class UndoAction : public UndoOp {
public:
    explicit UndoAction(std::function<void()> callback);
    UndoAction(std::function<void(int32_t)> callback, int32_t value);
    void Execute() override;

private:
    std::function<void()> Plain;
    std::function<void(int32_t)> WithValue;
    int32_t Value = 0;
};

// Everything needed to take back one user action. Records run first to last.
// While a group is open, records collect in it: at its end (in recording
// order) or at its front (prepend order, the newest record runs first); when
// the group closes it goes in front of the records made before it.
class UndoStep {
public:
    UndoStep() = default;
    UndoStep(const UndoStep &) = delete;
    UndoStep &operator=(const UndoStep &) = delete;

    void Add(std::unique_ptr<UndoOp> record);
    void BeginGroup(bool prepend);
    void EndGroup();

    // Undo puts the card back on top of cell.
    void AddMove(CardWrapper *wrapper, TableCell *cell);
    // Undo puts the card back at index in cell.
    void AddMove(CardWrapper *wrapper, TableCell *cell, int index);
    // Undo puts the card back where it lies now.
    void AddPosition(CardWrapper *wrapper);
    // Undo restores only the card's flags.
    void AddCardFlags(CardWrapper *wrapper);
    void AddAction(std::function<void()> callback);
    void AddAction(std::function<void(int32_t)> callback, int32_t value);

    void Execute();
    // Takes over the records of a step made after this one; they run first.
    void Absorb(UndoStep &later);
    bool HasRecords() const { return !Records.empty(); }
    int RecordCount() const { return int(Records.size()); }

private:
    std::vector<std::unique_ptr<UndoOp>> Records;
    std::vector<std::unique_ptr<UndoOp>> Group;
    bool GroupOpen = false;
    bool Prepend = false;
};
