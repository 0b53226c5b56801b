// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <memory>

#include <QAbstractButton>
#include <QImage>
#include <QList>
#include <QMainWindow>
#include <QString>

#include "Deckproject.h"
#include "EditorDialogs.h"
#include "FormStorage.h"

class QAction;
class QButtonGroup;
class QLabel;
class QMenu;
class QScrollArea;
class TAboutWin;
class TMainWin;

// One button of the strip at the left: an entry's thumbnail above its label;
// pressed while its entry is the one shown.
class TCardButton : public QAbstractButton {
public:
    TCardButton(const QString &label, const QImage &thumbnail, QWidget *parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QImage &Thumbnail;
};

// The shown picture at its own size, with the crop rectangle drawn over it
// as an inverted outline with four handles. The picture's pixels are never
// changed by the rectangle.
class TPreview : public QWidget {
public:
    explicit TPreview(TMainWin &owner, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    TMainWin &Owner;
};

// The deck editor's main window: the 57 entries of a deck project as a strip
// of thumbnails, the selected entry's picture at full size with a crop
// rectangle that keeps the card proportions 176 : 260, and the commands to
// assign pictures, keep the project and make the deck.
class TMainWin : public QMainWindow {
    Q_OBJECT

public:
    struct Options {
        EditorDialogs *Dialogs = nullptr; // the real dialogs when null
        QString DataFolder;               // Symbols.png, Emblem.png; found when empty
    };

    static constexpr int ThumbWidth = 88;
    static constexpr int ThumbHeight = 130;
    static constexpr int CardWidth = 176;
    static constexpr int CardHeight = 260;

    TMainWin();
    explicit TMainWin(const Options &options);
    ~TMainWin() override;

    // The folder with the program's pictures: beside the program, or
    // share/VekSolitaire once installed.
    static QString FindDataFolder();
    // The picture kinds the import dialog offers, as a Qt filter list.
    static QString ImageFilter();

    // Commands.
    void NewButtonClick();
    void OpenButtonClick();
    void ReopenMgrClick(const QString &path);
    // Both return whether the project was written.
    bool SaveButtonClick();
    bool SaveAsClick();
    void Exit1Click();
    void CardClick(int index);
    void LoadImgButtonClick();
    void Clearimage1Click();
    void CropButtonClick();
    void AddRankSymbolsMenuClick();
    void Make1Click();
    void About1Click();
    void Homepage1Click();

    // The crop rectangle's mouse protocol, in preview coordinates.
    void PreviewMouseDown(QPoint at);
    void ScrollPreviewMouseMove(QPoint at);
    void ScrollPreviewMouseUp();

    void BuildCardList();
    void ShowCurrent();
    // Makes the thumbnail of entry i again; false with the reason in *error
    // when its picture cannot be read.
    bool RebuildThumbnail(int i, QString *error = nullptr);
    bool ConfirmDiscard();
    bool OpenProject(const QString &path);
    void UpdateStatus();
    // Busy levels nest; hold a Busy object rather than pairing the calls.
    void SetBusy(bool on);
    void ShowProgress(const QString &text);
    void HideCrop();
    void DrawCrop();

    class Busy {
    public:
        explicit Busy(TMainWin &window);
        ~Busy();
        Busy(const Busy &) = delete;
        Busy &operator=(const Busy &) = delete;

    private:
        TMainWin &Window;
    };

    // The form's parts, for the tests.
    DeckProject &GetProject() { return *Project; }
    int GetCurrent() const { return Current; }
    bool IsSaved() const { return Saved; }
    const QString &GetProjectFile() const { return ProjectFile; }
    QRect CropRect() const { return {CropX, CropY, CropW, CropH}; }
    bool IsCropShown() const { return CropShown; }
    int GetBusyLevel() const { return BusyLevel; }
    const QImage &GetThumbnail(int i) const { return CardsList[i]; }
    const QStringList &RecentProjects() const { return Recent.Entries(); }

    QAction *NewButton, *OpenButton, *SaveButton, *LoadImgButton, *CropButton;
    QAction *New1, *Open1, *Save1, *SaveAs, *Exit1;
    QMenu *Reopen1;
    QAction *Loadimage1, *Clearimage1, *CropMenu;
    QAction *AddRankSymbolsMenu, *Make1;
    QAction *About1, *Homepage1;
    QLabel *Panel0, *Panel1;
    QScrollArea *CardsScroll, *ScrollPreview;
    QWidget *CardsBar;
    TPreview *Preview;
    QList<TCardButton *> Buttons;

    static const QString Caption;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class TPreview;

    void BuildMenu();
    void BuildToolBar();
    void BuildStatusBar();
    void BuildStrip();
    void LoadSymbols();
    void UpdateReopenMenu();
    void SetCropEnabled();
    // Makes the thumbnails of the entries again; returns a line for each
    // picture that could not be read, for ReportPictures.
    QStringList RebuildThumbnails(const QList<int> &entries);
    void ReportPictures(const QStringList &problems);
    // Where a dialog for the project file starts.
    QString ProjectFolder() const;
    // The crop rectangle's rows and columns as a plain rectangle.
    QRect CropArea() const;
    enum class Corner { None, TopLeft, TopRight, BottomRight, BottomLeft };
    Corner CornerAt(QPoint at) const;
    bool InsideCrop(QPoint at) const;
    // Whether a crop of the signed size (w, h) at the anchor lies inside the
    // preview.
    bool CropFits(int w, int h) const;
    void FlipHorizontal();
    void FlipVertical();

    EditorDialogs *Dialogs;
    std::unique_ptr<EditorDialogs> OwnDialogs;
    QString DataFolder;
    RankSymbolList Symbols;
    std::unique_ptr<DeckProject> Project;
    std::array<QImage, DeckProject::Count> CardsList; // the thumbnails
    QButtonGroup *CardsGroup;
    QImage PreviewBitmap;
    TAboutWin *AboutWin = nullptr;
    FormStorage Storage;
    RecentFiles Recent;

    int Current = 0;
    bool Saved = true;
    QString ProjectFile;
    int BusyLevel = 0;
    int DragMode = 0; // 0 none, 1 resizing or drawing, 2 moving
    bool CropShown = false;
    // The anchor corner and signed extents: with CropW > 0 the rectangle
    // covers columns CropX to CropX + CropW - 1, with CropW < 0 it is
    // anchored at its right edge and covers CropX + CropW - 1 to CropX
    // (its width is 2 - CropW). Rows likewise.
    int CropX = 0, CropY = 0, CropW = 0, CropH = 0;
    int LastX = 0, LastY = 0;
};
