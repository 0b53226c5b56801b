// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardGame.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <unordered_set>

#include <QIODevice>
#include <QRandomGenerator>

#include "Card.h"
#include "CardWrapper.h"
#include "Deck.h"
#include "GameHost.h"
#include "GameTable.h"
#include "Registry.h"
#include "TableCell.h"
#include "Utils.h"

namespace {

// Sets a flag for as long as it lives.
class FlagGuard {
public:
    explicit FlagGuard(bool &flag)
        : Flag(flag)
    {
        Flag = true;
    }
    ~FlagGuard() { Flag = false; }
    FlagGuard(const FlagGuard &) = delete;
    FlagGuard &operator=(const FlagGuard &) = delete;

private:
    bool &Flag;
};

// Counters are unsigned in their arithmetic; they wrap instead of
// overflowing.
int32_t addUnsigned(int32_t value, uint32_t delta)
{
    return int32_t(uint32_t(value) + delta);
}

// The deals of this run counted as played, and those whose end was counted,
// by serial: a deal saved and resumed (even from an older file) is not
// counted a second time.
struct DealLedger {
    std::unordered_set<uint32_t> Played;
    std::unordered_set<uint32_t> Ended;
};

DealLedger &Ledger()
{
    static DealLedger ledger;
    return ledger;
}

// The 32-bit value in front of a saved position: the deal's serial in the
// upper 30 bits, then whether its end and its play were counted.
constexpr uint32_t PlayedBit = 1;
constexpr uint32_t EndedBit = 2;
constexpr int SerialShift = 2;

uint32_t NewDealSerial()
{
    return QRandomGenerator::global()->bounded(1u, 1u << (32 - SerialShift));
}

} // namespace

CardGame::CardGame(const QString &name, ::Deck *deck, GameTable *table, int cardWidth, int cardHeight)
    : Name(name)
    , Deck(deck)
    , Table(table)
    , CardWidth(cardWidth)
    , CardHeight(cardHeight)
{
}

CardGame::~CardGame()
{
    ClearUndo();
    ClearPossibleMoves();
}

GameHost &CardGame::Host() const
{
    return Table->Host();
}

int CardGame::CellCount() const
{
    return Table->GetCellCount();
}

TableCell *CardGame::CellAt(int index) const
{
    return Table->GetCell(index);
}

// ---- Virtual operations, in slot order ----

void CardGame::AutoPlay()
{
}

int CardGame::GetDeckCount()
{
    return 1;
}

void CardGame::LoadStats(const QString &key)
{
    Registry registry;
    if (!registry.OpenKey(key, false))
        return;
    // Each value on its own: a missing or damaged one leaves its counter.
    int32_t value;
    if (registry.ReadInteger(QStringLiteral("Played"), value))
        Played = value;
    if (registry.ReadInteger(QStringLiteral("Won"), value))
        Won = value;
    if (registry.ReadInteger(QStringLiteral("PlayTime"), value))
        PlayTime = value;
    if (registry.ReadInteger(QStringLiteral("LongestPlayTime"), value))
        LongestPlayTime = uint32_t(value);
    if (registry.ReadInteger(QStringLiteral("HiScore"), value))
        HiScore = value;
    registry.CloseKey();
}

void CardGame::SaveStats(const QString &key)
{
    Registry registry;
    if (!registry.OpenKey(key, true))
        return;
    // A failing write ends the writing; nothing is reported.
    (void)(registry.WriteInteger(QStringLiteral("Played"), Played) && registry.WriteInteger(QStringLiteral("Won"), Won)
           && registry.WriteInteger(QStringLiteral("PlayTime"), PlayTime)
           && registry.WriteInteger(QStringLiteral("LongestPlayTime"), int32_t(LongestPlayTime))
           && registry.WriteInteger(QStringLiteral("HiScore"), HiScore));
    registry.CloseKey();
}

void CardGame::FindMoves()
{
}

void CardGame::NewGame(bool shuffle)
{
    if (ShowingSuggestion)
        return;
    ResetDeal();
    if (shuffle)
        Shuffle();
    ClearUndo();
    CreateCellsWithBackground();
    Deal();
    LayoutCells();
    ClearPossibleMoves();
    FindMoves();
    ShowStatus();
    Table->Invalidate();
}

void CardGame::PrepareForLoad()
{
    ResetDeal();
    DealPile.clear();
    ClearUndo();
    CreateCellsWithBackground();
    LayoutCells();
}

void CardGame::ResetDeal()
{
    Paused = false;
    Started = false;
    Ended = false;
    DealSerial = NewDealSerial();
    // The clock starts with the new deal's first press.
    Host().SetPlayTimerEnabled(false);
    ElapsedTime = 0;
    Score = 0;
    DealIndex = 0;
    StatusTicks = -1;
    Table->UpdateEnabled();
    // The suggestions point into cells about to go.
    ClearPossibleMoves();
    CardsGone();
    Table->Clear();
}

void CardGame::ClearTableForNewDeal()
{
    ResetDeal();
    Table->RepaintNow();
}

void CardGame::CreateCellsWithBackground()
{
    CreateCells();
    for (int i = CellCount() - 1; i >= 0; --i)
        CellAt(i)->SetBackground(Table->GetDefaultCellBackground());
}

void CardGame::Undo()
{
    if (ShowingSuggestion || UndoSteps.empty())
        return;
    std::unique_ptr<UndoStep> step = std::move(UndoSteps.back());
    UndoSteps.pop_back();
    step->Execute();
    Table->Invalidate();
    Host().SetUndoEnabled(!UndoSteps.empty());
    ClearPossibleMoves();
    FindMoves();
}

void CardGame::OnClick(CardWrapper *, int, int)
{
}

void CardGame::OnDblClick(CardWrapper *wrapper, int cellIndex, int cardIndex)
{
    // Where a double-click means nothing, its second click is a click: two
    // quick clicks on a stock deal twice.
    OnClick(wrapper, cellIndex, cardIndex);
}

void CardGame::OnMouseDown(CardWrapper *, int, int, int, int)
{
}

void CardGame::OnMouseUp(int, int)
{
    ClearCardFlags(CardWrapper::Moving);
    Table->Invalidate();
}

CardWrapper *CardGame::EndDragOnto(int target, int x, int y)
{
    std::vector<CardWrapper *> moving;
    GetMovingCards(moving);
    QRect bounds;
    if (!moving.empty())
        GetCardsBounds(moving, bounds);
    CardGame::OnMouseUp(x, y);
    if (moving.empty() || CellAt(target)->Overlap(bounds) <= 25)
        return nullptr;
    return moving.front();
}

void CardGame::ShowStatus()
{
    Status(QString());
}

void CardGame::SaveGame(QIODevice &stream)
{
    const uint32_t counted = (DealSerial << SerialShift) | (Started ? PlayedBit : 0) | (Ended ? EndedBit : 0);
    bool ok = VekIO::WriteLE32(stream, counted) && VekIO::WriteLE32(stream, ElapsedTime)
        && VekIO::WriteLE32(stream, Score) && VekIO::WriteLE16(stream, uint16_t(DealPile.size()));
    const auto writeCard = [&stream](const Card *card) {
        return VekIO::WriteLE16(stream, uint16_t(card ? card->GetValue() : 0))
            && VekIO::WriteLE16(stream, uint16_t(int16_t(int8_t(card ? card->GetSuit() : NoSuit))));
    };
    for (size_t i = 0; ok && i < DealPile.size(); ++i)
        ok = writeCard(DealPile[i]);
    ok = ok && VekIO::WriteLE16(stream, uint16_t(CellCount()));
    for (int c = 0; ok && c < CellCount(); ++c) {
        const TableCell *cell = CellAt(c);
        ok = VekIO::WriteLE16(stream, uint16_t(cell->GetCount()));
        for (const CardWrapper *wrapper : cell->GetCards()) {
            ok = ok && writeCard(wrapper->GetCard())
                && VekIO::WriteLE32(stream, wrapper->GetFlags() & CardWrapper::PersistentFlags);
        }
    }
}

bool CardGame::LoadGame(QIODevice &stream)
{
    // Everything is read and checked before anything changes, so a damaged
    // file leaves the game as it was.
    struct StoredCard {
        Card *card;
        uint32_t flags;
    };
    const auto readCard = [this, &stream](Card *&card) {
        uint16_t value, suit;
        if (!VekIO::ReadLE16(stream, value) || !VekIO::ReadLE16(stream, suit))
            return false;
        if (value < 1 || value > 13 || suit > Spades)
            return false;
        card = Deck->GetCardByValue(value, CardSuit(suit));
        return card != nullptr;
    };
    uint32_t counted, elapsed;
    int32_t score;
    uint16_t dealCount;
    if (!VekIO::ReadLE32(stream, counted) || !VekIO::ReadLE32(stream, elapsed) || !VekIO::ReadLE32(stream, score)
        || !VekIO::ReadLE16(stream, dealCount))
        return false;
    // The play time it adds to the statistics must stay a count of seconds.
    if (elapsed > uint32_t(std::numeric_limits<int32_t>::max()))
        return false;
    if (VekIO::Remaining(stream) < int64_t(dealCount) * 4)
        return false;
    std::vector<Card *> pile(dealCount);
    for (Card *&card : pile) {
        if (!readCard(card))
            return false;
    }
    uint16_t cellCount;
    if (!VekIO::ReadLE16(stream, cellCount) || cellCount != CellCount())
        return false;
    std::vector<std::vector<StoredCard>> cells(cellCount);
    for (auto &cards : cells) {
        uint16_t count;
        if (!VekIO::ReadLE16(stream, count) || VekIO::Remaining(stream) < int64_t(count) * 8)
            return false;
        cards.resize(count);
        for (StoredCard &stored : cards) {
            if (!readCard(stored.card) || !VekIO::ReadLE32(stream, stored.flags))
                return false;
        }
    }

    ElapsedTime = elapsed;
    Score = score;
    // A deal counted in this run, or counted when it was saved, is not
    // counted again.
    const uint32_t serial = counted >> SerialShift;
    DealSerial = serial ? serial : NewDealSerial();
    Started = (counted & PlayedBit) || (serial && Ledger().Played.count(serial));
    Ended = (counted & EndedBit) || (serial && Ledger().Ended.count(serial));
    DealPile = std::move(pile);
    // Undo records would point at the cards of the position being replaced.
    ClearUndo();
    for (int i = 0; i < cellCount; ++i) {
        TableCell *cell = CellAt(i);
        cell->Clear();
        for (const StoredCard &stored : cells[size_t(i)]) {
            CardWrapper *wrapper = Table->WrapCard(stored.card);
            wrapper->SetFlags(stored.flags & CardWrapper::PersistentFlags);
            cell->Add(wrapper, true);
        }
    }
    ClearPossibleMoves();
    FindMoves();
    Table->Invalidate();
    return true;
}

void CardGame::FindAnyMove()
{
    const FlagGuard probing(Probing);
    const size_t history = UndoSteps.size();
    // Drags: each face-up card onto each other cell, placed squarely on the
    // cell's top card (or its empty area), as a player would drop it.
    for (int c = 0; c < CellCount(); ++c) {
        TableCell *source = CellAt(c);
        if (source->GetKind() == CellKind::Hidden)
            continue;
        for (int k = source->GetCount() - 1; k >= 0; --k) {
            if (!source->GetWrapper(k)->GetFrontUp())
                continue;
            for (int t = 0; t < CellCount(); ++t) {
                TableCell *target = CellAt(t);
                if (t == c || target->GetKind() == CellKind::Hidden)
                    continue;
                Table->ArrangeCells();
                CardWrapper *pressed = source->GetWrapper(k);
                OnMouseDown(pressed, c, k, 0, 0);
                std::vector<CardWrapper *> moving;
                GetMovingCards(moving);
                if (moving.empty() || moving.front()->GetCell() != source) {
                    ClearCardFlags(CardWrapper::Moving);
                    break; // this card cannot be picked up
                }
                const int lowest = source->IndexOf(moving.front());
                const CardWrapper *onto = target->GetWrapper(-1);
                const QPoint spot = onto ? onto->Position() : QPoint(target->GetX(), target->GetY());
                const QPoint shift = spot - moving.front()->Position();
                for (CardWrapper *wrapper : moving)
                    wrapper->MoveBy(shift.x(), shift.y());
                OnMouseUp(spot.x(), spot.y());
                ClearCardFlags(CardWrapper::Moving);
                if (TakeBackAttempt(history)) {
                    Table->ArrangeCells();
                    AddPossibleMove(source, lowest, target);
                    return;
                }
            }
        }
    }
    // Clicks on what looks like a stock.
    for (int c = 0; c < CellCount(); ++c) {
        TableCell *cell = CellAt(c);
        CardWrapper *top = cell->GetWrapper(-1);
        if (top ? top->GetFrontUp() || cell->GetKind() == CellKind::Hidden : cell->GetKind() != CellKind::Framed)
            continue;
        OnClick(top, c, top ? cell->GetCount() - 1 : -1);
        if (TakeBackAttempt(history)) {
            AddClickMove(cell);
            return;
        }
    }
    Table->ArrangeCells();
}

bool CardGame::TakeBackAttempt(size_t history)
{
    if (UndoSteps.size() <= history)
        return false;
    while (UndoSteps.size() > history)
        Undo();
    return true;
}

// ---- Operations of the window ----

void CardGame::SuggestMove()
{
    if (ShowingSuggestion)
        return;
    if (PossibleMoves.empty()) {
        // The list is the variant's choice of moves; any other legal move
        // still beats the message.
        FindAnyMove();
        if (PossibleMoves.empty()) {
            Error(QStringLiteral("No move is available"));
            return;
        }
    }
    if (HintIndex < 0 || HintIndex >= GetPossibleMoveCount())
        HintIndex = 0;
    // Shown from a copy: nothing the wait lets through can pull it away.
    const PossibleMove move = *PossibleMoves[size_t(HintIndex)];
    const int count = GetPossibleMoveCount();
    {
        FlagGuard showing(ShowingSuggestion);
        move.Show(*Table);
    }
    HintIndex = (HintIndex + 1) % count;
}

uint32_t CardGame::Tick()
{
    if (StatusTicks >= 0) {
        ++StatusTicks;
        if (StatusTicks > 3) {
            ShowStatus();
            StatusTicks = -1;
        }
    }
    return ++ElapsedTime;
}

void CardGame::SetPaused(bool paused)
{
    Paused = paused;
    Table->UpdateEnabled();
    Table->Invalidate();
}

QString CardGame::StatisticsKey() const
{
    return QStringLiteral("Software\\VekSoftware\\VekSolitaire\\Games\\") + Name;
}

void CardGame::LoadStatistics()
{
    LoadStats(StatisticsKey());
}

void CardGame::SaveStatistics()
{
    SaveStats(StatisticsKey());
}

void CardGame::ResetStats()
{
    Played = 0;
    Won = 0;
    PlayTime = 0;
    LongestPlayTime = 0;
    HiScore = 0;
}

void CardGame::StartPlay()
{
    // A deal whose end has been counted plays on with the clock stopped.
    if (Ended)
        return;
    if (!Host().IsPlayTimerEnabled())
        Host().SetPlayTimerEnabled(true);
    if (Started)
        return;
    Started = true;
    Ledger().Played.insert(DealSerial);
    Played = addUnsigned(Played, 1);
}

void CardGame::ResizeCards(int w, int h)
{
    CardWidth = w;
    CardHeight = h;
    Deck->Resize(w, h, Table->GetPixelRatio());
    LayoutCells();
}

QSize CardGame::TableSizeFor(int w, int h)
{
    if (CellCount() == 0)
        return QSize();
    // Laid out at the size asked, then again at the size in play, with the
    // table only noting what is asked of it.
    struct Restore {
        CardGame &Game;
        int Width, Height;
        ~Restore()
        {
            Game.CardWidth = Width;
            Game.CardHeight = Height;
            Game.Guarded([this] { Game.LayoutCells(); });
            Game.Table->SetMeasuring(false);
        }
    };
    Table->SetMeasuring(true);
    Restore restore{*this, CardWidth, CardHeight};
    CardWidth = w;
    CardHeight = h;
    LayoutCells();
    return Table->GetMeasuredSize();
}

void CardGame::HookFailed(const QString &what) noexcept
{
    try {
        ClearCardFlags(CardWrapper::Moving | CardWrapper::Highlight);
        Table->CancelPress();
        Table->Invalidate();
        Error(what.isEmpty() ? QStringLiteral("Something went wrong in this game.")
                             : QStringLiteral("Something went wrong in this game: %1").arg(what));
    } catch (...) {
        // Reporting must never be the second fault.
    }
}

// ---- Helpers ----

void CardGame::AddCells(int count)
{
    for (int i = 0; i < count; ++i)
        Table->AddCell(std::make_unique<TableCell>());
}

Card *CardGame::NextCard()
{
    // A variant that deals more than the pile holds gets no card rather than
    // one from past the end.
    if (DealIndex < 0 || DealIndex >= int(DealPile.size()))
        return nullptr;
    return DealPile[size_t(DealIndex++)];
}

CardWrapper *CardGame::DealCard()
{
    return Table->WrapCard(NextCard());
}

void CardGame::GetMovingCards(std::vector<CardWrapper *> &list) const
{
    for (int c = CellCount() - 1; c >= 0; --c) {
        for (CardWrapper *wrapper : CellAt(c)->GetCards()) {
            if (wrapper->IsMoving())
                list.push_back(wrapper);
        }
    }
}

void CardGame::GetCardsBounds(const std::vector<CardWrapper *> &list, QRect &rect)
{
    int left = 10000000, top = 10000000, right = -1000000, bottom = -1000000;
    for (const CardWrapper *wrapper : list) {
        left = std::min(left, wrapper->Left());
        top = std::min(top, wrapper->Top());
        right = std::max(right, wrapper->Left() + wrapper->Width() - 1);
        bottom = std::max(bottom, wrapper->Top() + wrapper->Height() - 1);
    }
    rect.setCoords(left, top, right, bottom);
}

std::unique_ptr<UndoStep> CardGame::NewUndoStep(bool prepend)
{
    auto step = std::make_unique<UndoStep>();
    step->BeginGroup(prepend);
    return step;
}

void CardGame::EndMove(std::unique_ptr<UndoStep> step)
{
    if (step) {
        step->EndGroup();
        if (step->HasRecords()) {
            UndoSteps.push_back(std::move(step));
            Host().SetUndoEnabled(true);
        }
    }
    ClearPossibleMoves();
    FindMoves();
}

void CardGame::AddScore(int32_t delta, UndoStep *step)
{
    if (step)
        step->AddAction([this](int32_t score) { Score = score; }, Score);
    Score = addUnsigned(Score, uint32_t(delta));
}

void CardGame::AddPossibleMove(TableCell *from, int index, TableCell *to)
{
    PossibleMoves.push_back(std::make_unique<PossibleMove>(from, index, to));
    Host().SetSuggestMoveEnabled(true);
}

void CardGame::AddPossibleMove(TableCell *first, TableCell *second)
{
    PossibleMoves.push_back(std::make_unique<PossibleMove>(first, second));
    Host().SetSuggestMoveEnabled(true);
}

void CardGame::AddClickMove(TableCell *cell)
{
    PossibleMoves.push_back(std::make_unique<PossibleMove>(PossibleMove::Click(cell)));
    Host().SetSuggestMoveEnabled(true);
}

PossibleMove *CardGame::GetPossibleMove(int index) const
{
    if (index < 0 || index >= GetPossibleMoveCount())
        return nullptr;
    return PossibleMoves[size_t(index)].get();
}

void CardGame::DeletePossibleMove(int index)
{
    if (index < 0 || index >= GetPossibleMoveCount())
        return;
    PossibleMoves.erase(PossibleMoves.begin() + index);
}

void CardGame::SortPossibleMoves()
{
    std::stable_sort(PossibleMoves.begin(), PossibleMoves.end(),
                     [](const auto &a, const auto &b) { return a->GetScore() > b->GetScore(); });
}

void CardGame::ClearPossibleMoves()
{
    PossibleMoves.clear();
    HintIndex = 0;
    Host().SetSuggestMoveEnabled(true);
}

void CardGame::ClearUndo()
{
    UndoSteps.clear();
    Host().SetUndoEnabled(false);
}

void CardGame::JoinUndoSteps(int first)
{
    first = std::max(first, 0);
    while (int(UndoSteps.size()) > first + 1) {
        std::unique_ptr<UndoStep> later = std::move(UndoSteps.back());
        UndoSteps.pop_back();
        UndoSteps.back()->Absorb(*later);
    }
}

void CardGame::ClearCardFlags(uint32_t bits)
{
    for (int c = 0; c < CellCount(); ++c) {
        for (CardWrapper *wrapper : CellAt(c)->GetCards())
            wrapper->ClearFlags(bits);
    }
}

bool CardGame::DealPileIsWholeDecks() const
{
    std::array<size_t, ::Deck::CardCount> copies{};
    for (const Card *card : DealPile)
        ++copies[size_t(card->GetSuit() * 13 + card->GetValue() - 1)];
    return std::all_of(copies.begin(), copies.end(), [&copies](size_t n) { return n == copies[0]; });
}

bool CardGame::CellsHoldDealPile() const
{
    if (!DealPileIsWholeDecks())
        return false;
    std::vector<const Card *> onTable;
    for (int c = 0; c < CellCount(); ++c) {
        for (const CardWrapper *wrapper : CellAt(c)->GetCards())
            onTable.push_back(wrapper->GetCard());
    }
    std::vector<const Card *> dealt(DealPile.begin(), DealPile.end());
    std::sort(onTable.begin(), onTable.end());
    std::sort(dealt.begin(), dealt.end());
    return onTable == dealt;
}

bool CardGame::ShowsSuitOf(int cellIndex, const Card *card) const
{
    const TableCell *cell = CellAt(cellIndex);
    return card && cell && cell->GetCount() == 0 && card->GetSuit() < ::Deck::PlaceholderCount
        && cell->GetPicture() == Deck->GetPlaceholder(card->GetSuit());
}

void CardGame::Status(const QString &text)
{
    // An error shown in this same action stays until the next tick.
    if (StatusTicks == 0 || Probing)
        return;
    Table->StatusMsg(text);
    StatusTicks = -1;
}

void CardGame::Error(const QString &text)
{
    if (Probing)
        return;
    Table->StatusMsg(text);
    StatusTicks = 0;
    Host().Beep();
}

void CardGame::GameOver(bool won)
{
    // Only a deal in play is reported, and only once; never a move only tried.
    if (Probing || Ended || !Host().IsPlayTimerEnabled())
        return;
    Ended = true;
    Ledger().Ended.insert(DealSerial);
    if (won)
        Won = addUnsigned(Won, 1);
    if (ElapsedTime > LongestPlayTime)
        LongestPlayTime = ElapsedTime;
    PlayTime = addUnsigned(PlayTime, ElapsedTime);
    Host().SetPlayTimerEnabled(false);
    ClearUndo();
    Table->GameOver(won);
}

void CardGame::Shuffle()
{
    const int n = GetDeckCount() * ::Deck::CardCount;
    std::vector<bool> used(size_t(std::max(n, 0)), false);
    DealPile.clear();
    DealPile.reserve(used.size());
    for (int i = 0; i < n; ++i) {
        int r = rand() % (n - i);
        // The r-th position (from 0) not yet taken.
        int position = 0;
        for (;; ++position) {
            if (used[size_t(position)])
                continue;
            if (r-- == 0)
                break;
        }
        used[size_t(position)] = true;
        DealPile.push_back(Deck->GetCard(position % ::Deck::CardCount));
    }
}
