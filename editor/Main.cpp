// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCollator>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "Aboutwnd.h"
#include "Addresses.h"
#include "Picture.h"
#include "Utils.h"

const QString TMainWin::Caption = QStringLiteral("Vek Solitaire - Deck Editor");

namespace {

const QString StorageSection = QStringLiteral("VekSoftware\\VekSolitaire\\DeckWright\\Forms\\MainWin");
const QString RecentName = QStringLiteral("RecentProjects");
const QString ErrorCaption = QStringLiteral("Deck Editor - Vek Solitaire");
const QString ProjectFilter = QStringLiteral("Deck project (*.vdp)");
const QString ResizeHint = QStringLiteral("Click to resize the crop rectangle...");
const QString MoveHint = QStringLiteral("Click to move the crop rectangle...");
// A handle reaches this far from its corner; a corner is hit within it.
constexpr int HandleReach = 4;

// Tool bar pictures for the two commands without a standard one.
QIcon DrawIcon(bool crop)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (crop) {
        p.setPen(QPen(QColor(30, 80, 160), 2));
        p.drawPolyline(QPolygonF({QPointF(7, 2), QPointF(7, 17), QPointF(22, 17)}));
        p.drawPolyline(QPolygonF({QPointF(2, 7), QPointF(17, 7), QPointF(17, 22)}));
    } else {
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(QColor(200, 225, 250));
        p.drawRoundedRect(QRectF(2.5, 4.5, 19, 15), 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 140, 70));
        p.drawPolygon(QPolygonF({QPointF(4, 18), QPointF(10, 10), QPointF(14, 15), QPointF(17, 12), QPointF(20, 18)}));
        p.setBrush(QColor(240, 190, 40));
        p.drawEllipse(QPointF(16.5, 8.5), 2, 2);
    }
    return QIcon(pixmap);
}

} // namespace

// ---- The strip's buttons ----

TCardButton::TCardButton(const QString &label, const QImage &thumbnail, QWidget *parent)
    : QAbstractButton(parent)
    , Thumbnail(thumbnail)
{
    setText(label);
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // A little smaller than the window's text: "Queen of Diamonds" should fit
    // a strip not much wider than the thumbnails.
    QFont small = font();
    small.setPointSizeF(std::max(7.0, small.pointSizeF() - 1));
    setFont(small);
}

QSize TCardButton::sizeHint() const
{
    return {std::max(TMainWin::ThumbWidth + 16, fontMetrics().horizontalAdvance(text()) + 10),
            TMainWin::ThumbHeight + fontMetrics().height() + 14};
}

void TCardButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect area = rect().adjusted(1, 1, -1, -1);
    if (isChecked()) {
        p.setPen(palette().color(QPalette::Highlight));
        p.setBrush(palette().color(QPalette::Highlight).lighter(170));
        p.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    } else if (underMouse()) {
        p.setPen(palette().color(QPalette::Mid));
        p.setBrush(palette().color(QPalette::Midlight));
        p.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }
    const int left = (width() - TMainWin::ThumbWidth) / 2;
    p.drawImage(left, 5, Thumbnail);
    p.setPen(QColor(0, 0, 0, 60));
    p.setBrush(Qt::NoBrush);
    p.drawRect(left - 1, 4, TMainWin::ThumbWidth + 1, TMainWin::ThumbHeight + 1);
    p.setPen(palette().color(QPalette::ButtonText));
    const QRect caption(2, 7 + TMainWin::ThumbHeight, width() - 4, height() - 9 - TMainWin::ThumbHeight);
    p.drawText(caption, Qt::AlignHCenter | Qt::AlignVCenter,
               fontMetrics().elidedText(text(), Qt::ElideRight, caption.width()));
}

// ---- The preview ----

TPreview::TPreview(TMainWin &owner, QWidget *parent)
    : QWidget(parent)
    , Owner(owner)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPreview::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.drawImage(event->rect(), Owner.PreviewBitmap, event->rect());
    if (!Owner.CropShown)
        return;
    // Inverted, as a white pen in XOR mode would draw it: the outline
    // through the four corner pixels, then the four 8 x 8 handles.
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QRect area = Owner.CropArea();
    const QColor white(Qt::white);
    p.fillRect(QRect(area.left(), area.top(), area.width(), 1), white);
    if (area.height() > 1)
        p.fillRect(QRect(area.left(), area.bottom(), area.width(), 1), white);
    if (area.height() > 2) {
        p.fillRect(QRect(area.left(), area.top() + 1, 1, area.height() - 2), white);
        if (area.width() > 1)
            p.fillRect(QRect(area.right(), area.top() + 1, 1, area.height() - 2), white);
    }
    for (const QPoint corner : {area.topLeft(), area.topRight(), area.bottomRight(), area.bottomLeft()})
        p.fillRect(QRect(corner - QPoint(HandleReach, HandleReach), QSize(8, 8)), white);
}

void TPreview::mousePressEvent(QMouseEvent *event)
{
    Owner.PreviewMouseDown(event->position().toPoint());
}

void TPreview::mouseMoveEvent(QMouseEvent *event)
{
    Owner.ScrollPreviewMouseMove(event->position().toPoint());
}

void TPreview::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton)
        Owner.ScrollPreviewMouseUp();
}

// ---- The window ----

TMainWin::TMainWin(const Options &options)
    : Dialogs(options.Dialogs)
    , DataFolder(options.DataFolder.isEmpty() ? FindDataFolder() : options.DataFolder)
    , Storage(StorageSection)
{
    if (!Dialogs) {
        OwnDialogs = std::make_unique<StandardEditorDialogs>();
        Dialogs = OwnDialogs.get();
    }
    setWindowTitle(Caption);
    resize(514, 390);
    LoadSymbols();
    Project = std::make_unique<DeckProject>(Symbols);

    BuildMenu();
    BuildToolBar();
    BuildStatusBar();
    BuildStrip();

    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CardsScroll);
    ScrollPreview = new QScrollArea(central);
    ScrollPreview->setFrameShape(QFrame::NoFrame);
    ScrollPreview->setBackgroundRole(QPalette::Dark);
    ScrollPreview->setFocusPolicy(Qt::StrongFocus);
    Preview = new TPreview(*this, ScrollPreview);
    Preview->resize(0, 0);
    ScrollPreview->setWidget(Preview);
    layout->addWidget(ScrollPreview, 1);
    setCentralWidget(central);

    Recent.SetEntries(Storage.ReadList(RecentName));
    UpdateReopenMenu();
    Storage.RestorePlacement(*this);
    // Escape reaches the window before any of its controls.
    qApp->installEventFilter(this);

    BuildCardList();
    ShowCurrent();
    UpdateStatus();
    ScrollPreview->setFocus();
}

TMainWin::TMainWin()
    : TMainWin(Options())
{
}

TMainWin::~TMainWin() = default;

QString TMainWin::FindDataFolder()
{
    const QString beside = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(beside + QStringLiteral("/Symbols.png")))
        return beside;
    const QString installed = QDir::cleanPath(beside + QStringLiteral("/../share/VekSolitaire"));
    if (QFileInfo::exists(installed + QStringLiteral("/Symbols.png")))
        return installed;
    return beside;
}

QString TMainWin::ImageFilter()
{
    // Our own decoders read JPEG and GIF; every other kind goes through the
    // image readers of the Qt build (metafiles have none here).
    struct Kind {
        const char *Description;
        QStringList Suffixes;
    };
    QList<Kind> kinds = {{"CompuServe GIF Image", {"gif"}}, {"JPEG Image File", {"jpeg", "jpg"}},
                         {"Bitmaps", {"bmp"}}, {"Icons", {"ico"}}, {"PNG Image", {"png"}}};
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    auto known = [&kinds](const QString &suffix) {
        return std::any_of(kinds.begin(), kinds.end(), [&suffix](const Kind &k) { return k.Suffixes.contains(suffix); });
    };
    kinds.erase(std::remove_if(kinds.begin() + 2, kinds.end(),
                               [&readable](const Kind &k) { return !readable.contains(k.Suffixes[0].toLatin1()); }),
                kinds.end());
    for (const QByteArray &format : readable) {
        const QString suffix = QString::fromLatin1(format).toLower();
        if (!known(suffix))
            kinds.append({nullptr, {suffix}});
    }
    QStringList all, filters;
    for (const Kind &kind : kinds) {
        QStringList patterns;
        for (const QString &suffix : kind.Suffixes)
            patterns << QStringLiteral("*.") + suffix;
        all << patterns;
        const QString description = kind.Description ? QString::fromLatin1(kind.Description)
                                                     : kind.Suffixes[0].toUpper() + QStringLiteral(" Image");
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    filters.prepend(QStringLiteral("All pictures (%1)").arg(all.join(QLatin1Char(' '))));
    return filters.join(QStringLiteral(";;"));
}

void TMainWin::LoadSymbols()
{
    // One strip of 52 symbols drawn at build time.
    const QImage strip = QImage(DataFolder + QStringLiteral("/Symbols.png")).convertToFormat(QImage::Format_RGB32);
    if (strip.width() < 52 * DeckProject::SymbolWidth || strip.height() < DeckProject::SymbolHeight)
        return;
    for (int i = 0; i < 52; ++i)
        Symbols.append(strip.copy(i * DeckProject::SymbolWidth, 0, DeckProject::SymbolWidth, DeckProject::SymbolHeight));
}

void TMainWin::BuildMenu()
{
    auto item = [this](QMenu *menu, const QString &caption, auto handler, QKeySequence keys = {}) {
        QAction *action = menu->addAction(caption);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    New1 = item(file, QStringLiteral("&New"), &TMainWin::NewButtonClick, QKeySequence::New);
    file->addSeparator();
    Open1 = item(file, QStringLiteral("&Open..."), &TMainWin::OpenButtonClick, QKeySequence::Open);
    Reopen1 = file->addMenu(QStringLiteral("&Reopen"));
    file->addSeparator();
    Save1 = item(file, QStringLiteral("&Save"), &TMainWin::SaveButtonClick, QKeySequence::Save);
    SaveAs = item(file, QStringLiteral("Save as..."), &TMainWin::SaveAsClick, QKeySequence::SaveAs);
    file->addSeparator();
    Exit1 = item(file, QStringLiteral("E&xit"), &TMainWin::Exit1Click, QKeySequence::Quit);

    QMenu *card = menuBar()->addMenu(QStringLiteral("&Card"));
    Loadimage1 = item(card, QStringLiteral("&Load image..."), &TMainWin::LoadImgButtonClick, QKeySequence(Qt::CTRL | Qt::Key_I));
    Clearimage1 = item(card, QStringLiteral("Cl&ear image"), &TMainWin::Clearimage1Click);
    card->addSeparator();
    CropMenu = item(card, QStringLiteral("&Crop"), &TMainWin::CropButtonClick, QKeySequence(Qt::CTRL | Qt::Key_R));

    QMenu *deck = menuBar()->addMenu(QStringLiteral("&Deck"));
    AddRankSymbolsMenu = item(deck, QStringLiteral("Add &rank symbols"), &TMainWin::AddRankSymbolsMenuClick);
    AddRankSymbolsMenu->setCheckable(true);
    AddRankSymbolsMenu->setChecked(true);
    deck->addSeparator();
    Make1 = item(deck, QStringLiteral("&Make..."), &TMainWin::Make1Click, QKeySequence(Qt::CTRL | Qt::Key_M));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    About1 = item(help, QStringLiteral("&About..."), &TMainWin::About1Click);
    help->addSeparator();
    Homepage1 = item(help, QStringLiteral("&Homepage..."), &TMainWin::Homepage1Click);
}

void TMainWin::BuildToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("Tools"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    auto button = [this, bar](const QIcon &icon, const QString &hint, auto handler) {
        QAction *action = bar->addAction(icon, hint);
        action->setToolTip(hint);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    NewButton = button(style()->standardIcon(QStyle::SP_FileIcon), QStringLiteral("New"), &TMainWin::NewButtonClick);
    bar->addSeparator();
    OpenButton = button(style()->standardIcon(QStyle::SP_DialogOpenButton), QStringLiteral("Open"), &TMainWin::OpenButtonClick);
    SaveButton = button(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Save"), &TMainWin::SaveButtonClick);
    bar->addSeparator();
    LoadImgButton = button(DrawIcon(false), QStringLiteral("Import image"), &TMainWin::LoadImgButtonClick);
    CropButton = button(DrawIcon(true), QStringLiteral("Crop image"), &TMainWin::CropButtonClick);
    SetCropEnabled();
}

void TMainWin::BuildStatusBar()
{
    Panel0 = new QLabel(this);
    Panel0->setFixedWidth(80);
    Panel1 = new QLabel(this);
    Panel1->setMinimumWidth(50);
    statusBar()->addWidget(Panel0);
    statusBar()->addWidget(Panel1, 1);
}

void TMainWin::BuildStrip()
{
    CardsScroll = new QScrollArea(this);
    CardsScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CardsScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    CardsScroll->setBackgroundRole(QPalette::Mid);
    CardsScroll->setFocusPolicy(Qt::NoFocus);
    CardsBar = new QWidget(CardsScroll);
    auto *column = new QVBoxLayout(CardsBar);
    column->setContentsMargins(3, 3, 3, 3);
    column->setSpacing(6);
    CardsGroup = new QButtonGroup(this);
    CardsGroup->setExclusive(true);
    int width = 0;
    for (int i = 0; i < DeckProject::Count; ++i) {
        auto *button = new TCardButton(DeckProject::Label(i), CardsList[size_t(i)], CardsBar);
        column->addWidget(button, 0, Qt::AlignHCenter);
        CardsGroup->addButton(button, i);
        Buttons.append(button);
        width = std::max(width, button->sizeHint().width());
    }
    // All as wide as the widest label needs.
    for (TCardButton *button : Buttons)
        button->setFixedSize(width, button->sizeHint().height());
    connect(CardsGroup, &QButtonGroup::idClicked, this, &TMainWin::CardClick);
    CardsScroll->setWidget(CardsBar);
    CardsScroll->setFixedWidth(width + 6 + CardsScroll->verticalScrollBar()->sizeHint().width()
                               + 2 * CardsScroll->frameWidth());
}

// ---- Commands ----

void TMainWin::BuildCardList()
{
    QImage blank(ThumbWidth, ThumbHeight, QImage::Format_RGB32);
    blank.fill(DeckProject::BlankColor());
    for (auto &thumbnail : CardsList)
        thumbnail = blank;
    Project->Clear();
    Current = 0;
    AddRankSymbolsMenu->setChecked(true);
    CardsBar->update();
}

void TMainWin::NewButtonClick()
{
    if (!ConfirmDiscard())
        return;
    BuildCardList();
    ProjectFile.clear();
    Saved = true;
    ShowCurrent();
    UpdateStatus();
}

void TMainWin::OpenButtonClick()
{
    if (!ConfirmDiscard())
        return;
    const QString path = Dialogs->OpenFile(this, {QStringLiteral("Open"), ProjectFilter, QStringLiteral("vdp"),
                                                  ProjectFile.isEmpty() ? ProjectFolder() : ProjectFile});
    if (!path.isEmpty())
        OpenProject(path);
    UpdateStatus();
}

void TMainWin::ReopenMgrClick(const QString &path)
{
    if (ConfirmDiscard())
        OpenProject(path);
}

bool TMainWin::SaveButtonClick()
{
    if (ProjectFile.isEmpty())
        return SaveAsClick();
    if (!Project->Save(ProjectFile)) {
        Dialogs->Error(this, ErrorCaption,
                       QStringLiteral("The project cannot be saved as %1:\n%2").arg(ProjectFile, Project->LastError()));
        return false;
    }
    Recent.Add(ProjectFile);
    Storage.WriteList(RecentName, Recent.Entries());
    UpdateReopenMenu();
    Saved = true;
    UpdateStatus();
    return true;
}

bool TMainWin::SaveAsClick()
{
    const QString path = Dialogs->SaveFile(this, {QStringLiteral("Save as"), ProjectFilter, QStringLiteral("vdp"), ProjectFolder()});
    if (path.isEmpty())
        return false;
    // A project that could not be written under the new name keeps its old one.
    const QString previous = ProjectFile;
    ProjectFile = path;
    if (SaveButtonClick())
        return true;
    ProjectFile = previous;
    return false;
}

void TMainWin::Exit1Click()
{
    close();
}

void TMainWin::CardClick(int index)
{
    if (index < 0 || index >= DeckProject::Count)
        return;
    Current = index;
    ShowCurrent();
}

void TMainWin::LoadImgButtonClick()
{
    const CardInfo &entry = *Project->GetCardInfo(Current);
    QString start = entry.HasImage() ? Project->ImagePath(entry) : QString();
    if (start.isEmpty()) {
        // The folder of the last picture chosen for any entry.
        for (int i = DeckProject::Count - 1; i >= 0 && start.isEmpty(); --i)
            if (Project->GetCardInfo(i)->HasImage())
                start = QFileInfo(Project->ImagePath(*Project->GetCardInfo(i))).absolutePath();
    }
    if (start.isEmpty())
        start = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QStringList files = Dialogs->OpenFiles(this, {QStringLiteral("Import picture"), ImageFilter(), QString(), start});
    if (files.isEmpty())
        return;
    // By name, numbers in names counted as numbers: "2.png" before "10.png".
    QCollator order;
    order.setNumericMode(true);
    std::sort(files.begin(), files.end(), order);
    QList<int> changed;
    for (int k = 0; k < files.size() && Current + k < DeckProject::Count; ++k) {
        CardInfo &target = *Project->GetCardInfo(Current + k);
        target.SetFileName(files[k]);
        // The crop stays, moved (or cut) into a picture of another size. Only
        // a regular file is asked for its size: opening a pipe would wait.
        const QSize size = VekIO::CheckIsFile(files[k]) ? QImageReader(files[k]).size() : QSize();
        if (size.isValid())
            target.FitCrop(size);
        changed.append(Current + k);
    }
    Saved = false;
    const QStringList problems = RebuildThumbnails(changed);
    ShowCurrent();
    UpdateStatus();
    ReportPictures(problems);
}

void TMainWin::Clearimage1Click()
{
    Project->GetCardInfo(Current)->ImageFile.clear();
    Saved = false;
    RebuildThumbnail(Current);
    ShowCurrent();
    UpdateStatus();
}

void TMainWin::CropButtonClick()
{
    // Only a rectangle of at least one pixel each way is a crop.
    if (!CropShown || DragMode != 0 || CropW < 1 || CropH < 1)
        return;
    CardInfo &entry = *Project->GetCardInfo(Current);
    entry.Left = CropX;
    entry.Top = CropY;
    entry.Width = CropW;
    entry.Height = CropH;
    entry.FitCrop(PreviewBitmap.size());
    RebuildThumbnail(Current);
    Saved = false;
    UpdateStatus();
}

void TMainWin::AddRankSymbolsMenuClick()
{
    Project->SetRankSymbols(!Project->GetRankSymbols());
    AddRankSymbolsMenu->setChecked(Project->GetRankSymbols());
    Saved = false;
    QList<int> cards;
    for (int i = DeckProject::FirstCard; i < DeckProject::Count; ++i)
        if (Project->GetCardInfo(i)->HasImage())
            cards.append(i);
    ShowProgress(QStringLiteral("Rebuilding the thumbnails..."));
    const QStringList problems = RebuildThumbnails(cards);
    UpdateStatus();
    ReportPictures(problems);
}

void TMainWin::Make1Click()
{
    for (int i = 0; i < DeckProject::Count; ++i) {
        if ((i == 0 || i >= DeckProject::FirstCard) && !Project->GetCardInfo(i)->HasImage()) {
            Dialogs->Error(this, ErrorCaption,
                           QStringLiteral("To create a deck you must at least select an image\nfor the back side and for all the cards!"));
            return;
        }
    }
    const QString path = Dialogs->SaveFile(this, {QStringLiteral("Make deck"), QStringLiteral("Deck file (*.deck)"),
                                                  QStringLiteral("deck"), ProjectFolder()});
    if (path.isEmpty())
        return;
    QString error;
    bool made;
    {
        Busy busy(*this);
        ShowProgress(QStringLiteral("Generating the cards..."));
        made = Project->Make(path, &error);
        ShowProgress(made ? QStringLiteral("Done.") : QString());
    }
    if (!made)
        Dialogs->Error(this, ErrorCaption, QStringLiteral("No deck was made.\n\n") + error);
}

void TMainWin::About1Click()
{
    if (!AboutWin)
        AboutWin = new TAboutWin(this, DataFolder);
    AboutWin->show();
    AboutWin->raise();
    AboutWin->activateWindow();
}

void TMainWin::Homepage1Click()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(Addresses::HomePage)));
}

// ---- The crop rectangle ----

QRect TMainWin::CropArea() const
{
    const int x2 = CropX + CropW - 1, y2 = CropY + CropH - 1;
    return QRect(QPoint(std::min(CropX, x2), std::min(CropY, y2)), QPoint(std::max(CropX, x2), std::max(CropY, y2)));
}

TMainWin::Corner TMainWin::CornerAt(QPoint at) const
{
    if (!CropShown)
        return Corner::None;
    const int right = CropX + CropW - 1, bottom = CropY + CropH - 1;
    auto near = [at](int x, int y) { return std::abs(at.x() - x) <= HandleReach && std::abs(at.y() - y) <= HandleReach; };
    if (near(CropX, CropY))
        return Corner::TopLeft;
    if (near(right, CropY))
        return Corner::TopRight;
    if (near(CropX, bottom))
        return Corner::BottomLeft;
    if (near(right, bottom))
        return Corner::BottomRight;
    return Corner::None;
}

bool TMainWin::InsideCrop(QPoint at) const
{
    return CropShown && at.x() >= CropX && at.x() <= CropX + CropW - 1 && at.y() >= CropY && at.y() <= CropY + CropH - 1;
}

void TMainWin::FlipHorizontal()
{
    CropX += CropW - 1;
    CropW = 2 - CropW;
}

void TMainWin::FlipVertical()
{
    CropY += CropH - 1;
    CropH = 2 - CropH;
}

bool TMainWin::CropFits(int w, int h) const
{
    // The first and last column and row the rectangle would cover.
    auto span = [](int anchor, int extent) {
        return extent >= 0 ? std::pair(anchor, anchor + extent - 1) : std::pair(anchor + extent - 1, anchor);
    };
    const auto [left, right] = span(CropX, w);
    const auto [top, bottom] = span(CropY, h);
    return left >= 0 && top >= 0 && right < Preview->width() && bottom < Preview->height();
}

void TMainWin::PreviewMouseDown(QPoint at)
{
    if (PreviewBitmap.isNull() || BusyLevel > 0)
        return;
    LastX = at.x();
    LastY = at.y();
    switch (CornerAt(at)) {
    case Corner::TopLeft:
        FlipHorizontal();
        FlipVertical();
        DragMode = 1;
        return;
    case Corner::TopRight:
        FlipVertical();
        DragMode = 1;
        return;
    case Corner::BottomLeft:
        FlipHorizontal();
        DragMode = 1;
        return;
    case Corner::BottomRight:
        DragMode = 1;
        return;
    case Corner::None:
        break;
    }
    if (InsideCrop(at)) {
        DragMode = 2;
        return;
    }
    HideCrop();
    CropX = at.x();
    CropY = at.y();
    CropW = CropH = 0;
    CropShown = true;
    DragMode = 1;
    DrawCrop();
}

void TMainWin::ScrollPreviewMouseMove(QPoint at)
{
    int x = at.x(), y = at.y();
    if (DragMode == 1) {
        x = std::clamp(x, 0, std::max(Preview->width() - 1, 0));
        y = std::clamp(y, 0, std::max(Preview->height() - 1, 0));
        const int dx = x - LastX, dy = y - LastY;
        const bool flipped = int64_t(CropW) * CropH < 0;
        // The larger movement leads; the other side follows the card's
        // proportion, worked out in single precision and truncated.
        int w, h;
        if (std::abs(dx) > std::abs(dy)) {
            w = CropW + dx;
            h = int(std::trunc(double(CardHeight) * double(float(w) * (1.0f / CardWidth))));
            if (flipped)
                h = -h;
        } else {
            h = CropH + dy;
            w = int(std::trunc(double(CardWidth) * double(float(h) * (1.0f / CardHeight))));
            if (flipped)
                w = -w;
        }
        if (CropFits(w, h)) {
            CropW = w;
            CropH = h;
        }
        LastX = x;
        LastY = y;
        DrawCrop();
    } else if (DragMode == 2) {
        CropX += x - LastX;
        CropY += y - LastY;
        LastX = x;
        LastY = y;
        CropX = std::min(std::max(CropX, 0), Preview->width() - CropW);
        CropY = std::min(std::max(CropY, 0), Preview->height() - CropH);
        DrawCrop();
    } else {
        const Corner corner = CornerAt(at);
        if (corner == Corner::TopRight || corner == Corner::BottomLeft) {
            Preview->setCursor(Qt::SizeBDiagCursor);
            Panel1->setText(ResizeHint);
        } else if (corner != Corner::None) {
            Preview->setCursor(Qt::SizeFDiagCursor);
            Panel1->setText(ResizeHint);
        } else if (InsideCrop(at)) {
            Preview->setCursor(Qt::PointingHandCursor);
            Panel1->setText(MoveHint);
        } else {
            Preview->unsetCursor();
            Panel1->clear();
        }
    }
}

void TMainWin::ScrollPreviewMouseUp()
{
    if (DragMode == 1) {
        // Back to the plain form, and inside the picture whatever happened.
        DragMode = 0;
        CropShown = true;
        if (CropW < 0)
            FlipHorizontal();
        if (CropH < 0)
            FlipVertical();
        CardInfo fitted;
        fitted.Left = CropX;
        fitted.Top = CropY;
        fitted.Width = CropW;
        fitted.Height = CropH;
        fitted.FitCrop(PreviewBitmap.size());
        CropX = fitted.Left;
        CropY = fitted.Top;
        CropW = fitted.Width;
        CropH = fitted.Height;
        DrawCrop();
    } else if (DragMode == 2) {
        DragMode = 0;
        // Moving the crop the entry holds moves it at once; a rectangle not
        // applied yet only moves on the screen.
        CardInfo &entry = *Project->GetCardInfo(Current);
        if (entry.Width == CropW && entry.Height == CropH && (entry.Left != CropX || entry.Top != CropY)) {
            entry.Left = CropX;
            entry.Top = CropY;
            RebuildThumbnail(Current);
            Saved = false;
            UpdateStatus();
        }
    }
    SetCropEnabled();
}

void TMainWin::DrawCrop()
{
    Preview->update();
}

void TMainWin::HideCrop()
{
    if (CropShown) {
        CropShown = false;
        DrawCrop();
    }
    SetCropEnabled();
}

void TMainWin::SetCropEnabled()
{
    const bool on = CropShown && CropW >= 1 && CropH >= 1;
    CropButton->setEnabled(on);
    CropMenu->setEnabled(on);
}

// ---- Showing the project ----

void TMainWin::ShowCurrent()
{
    HideCrop();
    DragMode = 0;
    Buttons[Current]->setChecked(true);
    if (Current == 0)
        CardsScroll->verticalScrollBar()->setValue(0);
    else
        CardsScroll->ensureWidgetVisible(Buttons[Current], 0, 3);
    const CardInfo &entry = *Project->GetCardInfo(Current);
    PreviewBitmap = QImage();
    if (entry.HasImage()) {
        Picture picture;
        QString why;
        if (picture.Load(Project->ImagePath(entry), &why))
            PreviewBitmap = picture.Bitmap32();
        else if (BusyLevel == 0)
            Dialogs->Error(this, ErrorCaption,
                           QStringLiteral("The picture %1 cannot be read:\n%2").arg(Project->ImagePath(entry), why));
    }
    Preview->resize(PreviewBitmap.size());
    Preview->update();
    const QRect crop = entry.CropIn(PreviewBitmap.size());
    if (!crop.isNull()) {
        CropX = crop.x();
        CropY = crop.y();
        CropW = crop.width();
        CropH = crop.height();
        CropShown = true;
        SetCropEnabled();
        DrawCrop();
    }
}

bool TMainWin::RebuildThumbnail(int i, QString *error)
{
    QString why;
    CardsList[size_t(i)] = Project->MakeThumbnail(*Project->GetCardInfo(i), i, ThumbWidth, ThumbHeight, &why);
    Buttons[i]->update();
    if (why.isEmpty())
        return true;
    if (error)
        *error = why;
    return false;
}

QStringList TMainWin::RebuildThumbnails(const QList<int> &entries)
{
    Busy busy(*this);
    QStringList problems;
    for (int i : entries) {
        QString why;
        if (!RebuildThumbnail(i, &why))
            problems << QStringLiteral("%1: %2 (%3)").arg(DeckProject::Label(i), Project->ImagePath(*Project->GetCardInfo(i)), why);
    }
    return problems;
}

void TMainWin::ReportPictures(const QStringList &problems)
{
    if (problems.isEmpty())
        return;
    constexpr int Shown = 8;
    QString text = QStringLiteral("These pictures cannot be read:\n\n") + problems.mid(0, Shown).join(QLatin1Char('\n'));
    if (problems.size() > Shown)
        text += QStringLiteral("\n... and %1 more").arg(problems.size() - Shown);
    Dialogs->Error(this, ErrorCaption, text);
}

bool TMainWin::ConfirmDiscard()
{
    if (Saved)
        return true;
    switch (Dialogs->AskYesNoCancel(this, QStringLiteral("Warning - Deck Editor"),
                                    QStringLiteral("The current changes will be lost!\n\nWould you like to save them?"))) {
    case EditorDialogs::Answer::Cancel:
        return false;
    case EditorDialogs::Answer::Yes:
        // A save that fails or is cancelled keeps the work.
        return SaveButtonClick();
    case EditorDialogs::Answer::No:
        break;
    }
    return true;
}

bool TMainWin::OpenProject(const QString &path)
{
    bool opened;
    {
        Busy busy(*this);
        ShowProgress(QStringLiteral("Loading ") + path + QStringLiteral("..."));
        opened = Project->Load(path);
        ShowProgress(QString());
    }
    if (!opened) {
        Dialogs->Error(this, ErrorCaption, QStringLiteral("The project %1 cannot be opened:\n%2").arg(path, Project->LastError()));
        Recent.Remove(path);
        Storage.WriteList(RecentName, Recent.Entries());
        UpdateReopenMenu();
        return false;
    }
    AddRankSymbolsMenu->setChecked(Project->GetRankSymbols());
    Current = 0;
    Saved = true;
    ProjectFile = path;
    QList<int> all;
    for (int i = 0; i < DeckProject::Count; ++i)
        all.append(i);
    QStringList problems;
    {
        Busy busy(*this);
        ShowProgress(QStringLiteral("Loading ") + path + QStringLiteral("..."));
        problems = RebuildThumbnails(all);
        ShowCurrent();
        ShowProgress(QString());
    }
    UpdateStatus();
    Recent.Add(path);
    Storage.WriteList(RecentName, Recent.Entries());
    UpdateReopenMenu();
    ReportPictures(problems);
    return true;
}

void TMainWin::UpdateStatus()
{
    Panel0->setText(Saved ? QString() : QStringLiteral("Modified"));
    Panel1->clear();
}

void TMainWin::UpdateReopenMenu()
{
    Reopen1->clear();
    const QStringList &entries = Recent.Entries();
    for (int i = 0; i < entries.size(); ++i) {
        const QString path = entries[i];
        QAction *action = Reopen1->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        connect(action, &QAction::triggered, this, [this, path] { ReopenMgrClick(path); });
    }
    Reopen1->setEnabled(!entries.isEmpty());
}

QString TMainWin::ProjectFolder() const
{
    if (!ProjectFile.isEmpty())
        return QFileInfo(ProjectFile).absolutePath();
    return Recent.Entries().isEmpty() ? QDir::homePath() : QFileInfo(Recent.Entries().first()).absolutePath();
}

// ---- Busy state ----

void TMainWin::SetBusy(bool on)
{
    if (on) {
        if (BusyLevel++ == 0) {
            setEnabled(false);
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    } else if (BusyLevel > 0) {
        if (--BusyLevel == 0) {
            setEnabled(true);
            QApplication::restoreOverrideCursor();
            ScrollPreview->setFocus();
        }
    }
    // The window shows its new state before the long work starts.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TMainWin::ShowProgress(const QString &text)
{
    Panel1->setText(text);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

TMainWin::Busy::Busy(TMainWin &window)
    : Window(window)
{
    Window.SetBusy(true);
}

TMainWin::Busy::~Busy()
{
    Window.SetBusy(false);
}

// ---- The window's own events ----

void TMainWin::closeEvent(QCloseEvent *event)
{
    if (BusyLevel > 0 || !ConfirmDiscard()) {
        event->ignore();
        return;
    }
    Storage.SavePlacement(*this);
    if (AboutWin)
        AboutWin->close();
    event->accept();
}

bool TMainWin::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == this && isEnabled()) {
            // Escape removes the rectangle, and ends a drag under way.
            DragMode = 0;
            HideCrop();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
