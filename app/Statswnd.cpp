// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Statswnd.h"

#include <QHBoxLayout>
#include <QFont>
#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <vector>

#include "GameFactory.h"
#include "Main.h"
#include "Questions.h"
#include "Registry.h"

const QString TStatsWin::ResetQuestion = QStringLiteral("Do you really want to reset the statistics?");

namespace {

const QString GamesKey = QStringLiteral("Software\\VekSoftware\\VekSolitaire\\Games\\");

struct Column {
    const char *caption;
    int width;
    bool right;
};
constexpr Column Columns[] = {
    {"Game", 120, false},
    {"Played", 50, true},
    {"Won", 50, true},
    {"Success %", 65, true},
    {"Total Play Time", 90, true},
    {"Avg Play Time", 90, true},
    {"Longest Play Time", 100, true},
};

// Draws every cell with a thin line on its right and bottom edges: the grid
// of the table.
class GridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        const QRect r = option.rect;
        painter->drawLine(r.topRight(), r.bottomRight());
        painter->drawLine(r.bottomLeft(), r.bottomRight());
        painter->restore();
    }
};

// A stored count read as unsigned; a missing or damaged value is 0.
uint32_t ReadCount(const Registry &registry, const QString &name)
{
    int32_t value = 0;
    return registry.ReadInteger(name, value) ? uint32_t(value) : 0u;
}

} // namespace

TStatsWin::TStatsWin(TMainWin *owner, Questions *answers)
    : QDialog(owner)
    , Owner(owner)
    , Answers(answers)
    , Storage(QStringLiteral("VekSoftware\\VekSolitaire\\Forms\\StatsWin"))
{
    setWindowTitle(QStringLiteral("Statistics - Vek Solitaire"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);

    Stats = new QTreeWidget(this);
    Stats->setObjectName(QStringLiteral("Stats"));
    Stats->setColumnCount(int(std::size(Columns)));
    Stats->setRootIsDecorated(false);
    Stats->setItemsExpandable(false);
    Stats->setUniformRowHeights(true);
    Stats->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Stats->setSelectionMode(QAbstractItemView::SingleSelection);
    Stats->setSelectionBehavior(QAbstractItemView::SelectRows);
    Stats->setAllColumnsShowFocus(true);
    Stats->setItemDelegate(new GridDelegate(Stats));
    QTreeWidgetItem *header = Stats->headerItem();
    for (int c = 0; c < int(std::size(Columns)); ++c) {
        header->setText(c, QString::fromLatin1(Columns[c].caption));
        header->setTextAlignment(c, (Columns[c].right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    QHeaderView *headers = Stats->header();
    headers->setSectionsClickable(false);
    headers->setSectionsMovable(false);
    headers->setStretchLastSection(false);
    // The columns were laid out for an 8-point font; a larger desktop font
    // would push the last column out of the fixed width.
    QFont listFont = Stats->font();
    if (listFont.pointSizeF() > 8.0) {
        listFont.setPointSizeF(8.0);
        Stats->setFont(listFont);
    }
    // The widths as designed, widened where the desktop's font needs more
    // room for a caption.
    const int margins = 2 * headers->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, headers) + 4;
    for (int c = 0; c < int(std::size(Columns)); ++c) {
        const int caption = headers->fontMetrics().horizontalAdvance(QString::fromLatin1(Columns[c].caption));
        headers->resizeSection(c, std::max(Columns[c].width, caption + margins));
    }

    PanelButtons = new QWidget(this);
    PanelButtons->setFixedHeight(32);
    ResetButton = new QPushButton(QStringLiteral("&Reset"), PanelButtons);
    ResetButton->setAutoDefault(false);
    CloseButton = new QPushButton(QStringLiteral("&Close"), PanelButtons);
    CloseButton->setDefault(true);
    auto *buttons = new QHBoxLayout(PanelButtons);
    buttons->setContentsMargins(4, 0, 4, 0);
    buttons->addWidget(ResetButton);
    buttons->addStretch(1);
    buttons->addWidget(CloseButton);
    connect(ResetButton, &QPushButton::clicked, this, &TStatsWin::ResetButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &TStatsWin::CloseButtonClick);

    auto *form = new QVBoxLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(0);
    form->addWidget(Stats, 1);
    form->addWidget(PanelButtons);

    // The width is fixed; the height follows the user down to 100 pixels.
    setMinimumSize(596, 100);
    setMaximumWidth(596);
    resize(596, 303);
    Storage.RestorePlacement(*this);
}

TStatsWin::~TStatsWin() = default;

QString TStatsWin::FormatPlayTime(uint32_t seconds)
{
    return QString::asprintf("%u:%02u:%02u", seconds / 3600u, seconds % 3600u / 60u, seconds % 60u);
}

QString TStatsWin::FormatSuccess(uint32_t played, uint32_t won)
{
    float success = 0.0f;
    if (played != 0)
        success = float(static_cast<long double>(won) * 100 / played);
    return QLocale().toString(double(success), 'f', 2) + QLatin1Char('%');
}

void TStatsWin::FillList()
{
    struct Row {
        QString name;
        QStringList cells;
    };
    std::vector<Row> rows;
    for (int position = 0; position < GameFactory::GameCount; ++position) {
        const GameFactory::GameInfo *info = GameFactory::GetGame(position);
        if (!info)
            continue;
        uint32_t played = 0, won = 0, total = 0, longest = 0, average = 0;
        Registry registry;
        // Reading never creates the key of a game not played yet.
        if (registry.OpenKey(GamesKey + info->name, false)) {
            played = ReadCount(registry, QStringLiteral("Played"));
            won = ReadCount(registry, QStringLiteral("Won"));
            total = ReadCount(registry, QStringLiteral("PlayTime"));
            longest = ReadCount(registry, QStringLiteral("LongestPlayTime"));
            (void)ReadCount(registry, QStringLiteral("HiScore"));
            if (played != 0)
                average = total / played;
            registry.CloseKey();
        }
        rows.push_back({info->name,
                        {info->name, QString::number(played), QString::number(won), FormatSuccess(played, won),
                         FormatPlayTime(total), FormatPlayTime(average), FormatPlayTime(longest)}});
    }
    // The rows in the order of their names.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row &a, const Row &b) { return QString::localeAwareCompare(a.name, b.name) < 0; });
    for (const Row &row : rows) {
        auto *item = new QTreeWidgetItem(Stats, row.cells);
        for (int c = 1; c < int(std::size(Columns)); ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void TStatsWin::ResetButtonClick()
{
    if (!Answers || !Answers->AskYesNo(this, QStringLiteral("Vek Solitaire"), ResetQuestion))
        return;
    for (int position = 0; position < GameFactory::GameCount; ++position) {
        const GameFactory::GameInfo *info = GameFactory::GetGame(position);
        if (!info)
            continue;
        Registry registry;
        // A game without a key keeps having none.
        if (!registry.OpenKey(GamesKey + info->name, false))
            continue;
        (void)(registry.WriteInteger(QStringLiteral("Played"), 0) && registry.WriteInteger(QStringLiteral("Won"), 0)
               && registry.WriteInteger(QStringLiteral("PlayTime"), 0)
               && registry.WriteInteger(QStringLiteral("LongestPlayTime"), 0)
               && registry.WriteInteger(QStringLiteral("HiScore"), 0));
        registry.CloseKey();
    }
    // The game being played would otherwise write its old counts back.
    if (Owner)
        Owner->ResetGameStats();
    Stats->setUpdatesEnabled(false);
    Stats->clear();
    FillList();
    Stats->setUpdatesEnabled(true);
}

void TStatsWin::CloseButtonClick()
{
    close();
}

void TStatsWin::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TStatsWin::FormShow()
{
    Stats->clear();
    FillList();
}

void TStatsWin::done(int result)
{
    Storage.SavePlacement(*this);
    QDialog::done(result);
}
