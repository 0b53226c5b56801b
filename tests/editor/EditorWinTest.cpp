// SPDX-FileCopyrightText: 2026 Vek Software
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "EditorTestSupport.h"
#include "Main.h"

using namespace EditorTest;

namespace {

// Answers every dialog as the test says and remembers what was shown.
class ScriptedDialogs : public EditorDialogs {
public:
    Answer AskYesNoCancel(QWidget *, const QString &, const QString &text) override
    {
        Asked << text;
        return Reply;
    }
    void Error(QWidget *, const QString &, const QString &text) override { Errors << text; }
    QStringList OpenFiles(QWidget *, const FileRequest &) override
    {
        ++FileDialogs;
        return Pictures;
    }
    QString OpenFile(QWidget *, const FileRequest &) override
    {
        ++FileDialogs;
        return FileName;
    }
    QString SaveFile(QWidget *, const FileRequest &) override
    {
        ++FileDialogs;
        return FileName;
    }

    Answer Reply = Answer::Cancel;
    QStringList Pictures;
    QString FileName;
    QStringList Asked, Errors;
    int FileDialogs = 0;
};

class EditorWinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TMainWin::Options options;
        options.Dialogs = &Answers;
        options.DataFolder = QStringLiteral(VEK_BIN_DIR);
        Window = std::make_unique<TMainWin>(options);
        Window->resize(900, 700);
    }
    // Puts a 300 x 400 picture on the current entry.
    void ShowPicture()
    {
        Answers.Pictures = {SavePicture(Dir, QStringLiteral("pic.png"), TestPicture(300, 400, 1))};
        Window->LoadImgButtonClick();
        ASSERT_EQ(Window->Preview->size(), QSize(300, 400));
    }
    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(Window->Preview, Qt::LeftButton, {}, from);
        QTest::mouseMove(Window->Preview, to);
        QTest::mouseRelease(Window->Preview, Qt::LeftButton, {}, to);
    }
    bool Close()
    {
        QCloseEvent event;
        QApplication::sendEvent(Window.get(), &event);
        return event.isAccepted();
    }

    QTemporaryDir Dir;
    ScriptedDialogs Answers;
    std::unique_ptr<TMainWin> Window;
};

} // namespace

TEST_F(EditorWinTest, DrawingKeepsTheCardProportions)
{
    ShowPicture();
    const std::pair<int, int> sizes[] = {{100, 147}, {176, 260}, {88, 130}};
    for (auto [width, height] : sizes) {
        Window->HideCrop();
        Drag({10, 20}, {10 + width, 25});
        EXPECT_EQ(Window->CropRect(), QRect(10, 20, width, height)) << width;
    }
    // Led by the vertical movement, the width follows.
    Window->HideCrop();
    Drag({10, 20}, {15, 20 + 147});
    EXPECT_EQ(Window->CropRect(), QRect(10, 20, 99, 147));
    EXPECT_TRUE(Window->CropButton->isEnabled());

    // A step that would leave the picture keeps the last size.
    Window->HideCrop();
    Drag({200, 300}, {299, 301}); // 99 wide would need 146 rows below 300
    EXPECT_EQ(Window->CropRect(), QRect(200, 300, 0, 0));
    EXPECT_FALSE(Window->CropButton->isEnabled());
}

TEST_F(EditorWinTest, TopLeftCornerResizesAroundTheBottomRight)
{
    ShowPicture();
    Drag({100, 100}, {188, 130}); // 88 x 130 at (100, 100)
    ASSERT_EQ(Window->CropRect(), QRect(100, 100, 88, 130));
    Drag({101, 99}, {51, 99}); // the top-left handle, 50 to the left
    const QRect crop = Window->CropRect();
    EXPECT_GT(crop.width(), 0);
    EXPECT_GT(crop.height(), 0);
    EXPECT_EQ(crop.right(), 187);
    EXPECT_EQ(crop.bottom(), 229);
    EXPECT_EQ(crop.left(), 50);

    // Pulled past the picture's left edge, the rectangle stops inside it,
    // its right edge where it was.
    Window->HideCrop();
    Drag({20, 200}, {108, 200});
    ASSERT_EQ(Window->CropRect(), QRect(20, 200, 88, 130));
    Drag({21, 200}, {-30, 200});
    EXPECT_GE(Window->CropRect().left(), 0);
    EXPECT_EQ(Window->CropRect().right(), 107);
    EXPECT_EQ(Window->CropRect().bottom(), 329);
}

TEST_F(EditorWinTest, CropAppliesOnlyARealRectangle)
{
    ShowPicture();
    CardInfo &entry = *Window->GetProject().GetCardInfo(0);
    Drag({50, 50}, {50, 50}); // a click: 0 x 0
    Window->CropButtonClick();
    EXPECT_EQ(entry.Width, 0);
    Window->HideCrop();
    Drag({50, 50}, {50, 51}); // one row gives no column
    Window->CropButtonClick();
    EXPECT_EQ(entry.Height, 0);

    Window->HideCrop();
    Drag({50, 50}, {138, 50});
    Window->CropButtonClick();
    EXPECT_EQ(QRect(entry.Left, entry.Top, entry.Width, entry.Height), QRect(50, 50, 88, 130));
    // Moving the applied crop moves the entry's, kept inside the picture.
    Drag({90, 90}, {400, 90});
    EXPECT_EQ(QRect(entry.Left, entry.Top, entry.Width, entry.Height), QRect(212, 50, 88, 130));
    // A new rectangle moved before it is applied leaves the entry alone.
    Drag({10, 300}, {54, 300});
    Drag({20, 320}, {30, 330});
    EXPECT_EQ(QRect(entry.Left, entry.Top, entry.Width, entry.Height), QRect(212, 50, 88, 130));
}

TEST_F(EditorWinTest, EscapeRemovesTheRectangleAndEndsADrag)
{
    ShowPicture();
    Drag({100, 100}, {188, 100});
    QTest::keyClick(Window->ScrollPreview, Qt::Key_Escape);
    EXPECT_FALSE(Window->IsCropShown());
    EXPECT_FALSE(Window->CropButton->isEnabled());
    EXPECT_FALSE(Window->CropMenu->isEnabled());
    // Where the bottom-right corner was, a press starts a new rectangle.
    QTest::mousePress(Window->Preview, Qt::LeftButton, {}, {187, 229});
    EXPECT_EQ(Window->CropRect(), QRect(187, 229, 0, 0));
    QTest::mouseMove(Window->Preview, {200, 229});
    QTest::keyClick(Window->Preview, Qt::Key_Escape);
    QTest::mouseMove(Window->Preview, {250, 229});
    QTest::mouseRelease(Window->Preview, Qt::LeftButton, {}, {250, 229});
    EXPECT_FALSE(Window->IsCropShown());
    EXPECT_EQ(Window->GetBusyLevel(), 0);
}

TEST_F(EditorWinTest, ImportFillsEntriesFromTheCurrentOne)
{
    for (int i = 1; i <= 5; ++i)
        Answers.Pictures << SavePicture(Dir, QStringLiteral("p%1.png").arg(i), TestPicture(40, 60, i));
    std::reverse(Answers.Pictures.begin(), Answers.Pictures.end()); // the order the dialog gave
    DeckProject &project = Window->GetProject();
    *project.GetCardInfo(55) = CardInfo{"old.png", 10, 10, 88, 130}; // larger than the new picture
    Window->CardClick(54); // Jack of Spades
    Window->LoadImgButtonClick();
    const CardInfo &cut = *project.GetCardInfo(55);
    EXPECT_EQ(QRect(cut.Left, cut.Top, cut.Width, cut.Height), QRect(10, 10, 30, 50));
    EXPECT_TRUE(project.GetCardInfo(54)->FileName().endsWith(QStringLiteral("p1.png")));
    EXPECT_TRUE(project.GetCardInfo(56)->FileName().endsWith(QStringLiteral("p3.png")));
    EXPECT_FALSE(project.GetCardInfo(53)->HasImage());
    EXPECT_FALSE(Window->IsSaved());
    EXPECT_NE(Window->GetThumbnail(55).pixel(44, 65), DeckProject::BlankColor());
    EXPECT_EQ(Window->GetThumbnail(53).pixel(44, 65), DeckProject::BlankColor());

    // Symbols on and off redraw the playing cards' thumbnails.
    const QImage with = Window->GetThumbnail(55);
    Window->AddRankSymbolsMenuClick();
    EXPECT_FALSE(Window->AddRankSymbolsMenu->isChecked());
    EXPECT_NE(Window->GetThumbnail(55), with);
    Window->AddRankSymbolsMenuClick();
    EXPECT_EQ(Window->GetThumbnail(55), with);
}

// A pipe chosen as a picture is named in the message and never opened (its
// open() would wait for a writer and freeze the window).
TEST_F(EditorWinTest, ImportingAPipeIsRefusedAtOnce)
{
    const QString pipe = Dir.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    Answers.Pictures = {pipe};
    Window->LoadImgButtonClick();
    ASSERT_FALSE(Answers.Errors.isEmpty());
    EXPECT_TRUE(Answers.Errors.join('\n').contains(pipe + QStringLiteral(" is not a file")));
    EXPECT_EQ(Window->GetThumbnail(0).pixel(44, 65), DeckProject::BlankColor());
    EXPECT_EQ(Window->GetBusyLevel(), 0);
}

TEST_F(EditorWinTest, MakeNeedsTheBackAndEveryCard)
{
    for (int i = 5; i < 57; ++i)
        Window->GetProject().GetCardInfo(i)->ImageFile = "x.png";
    Window->Make1Click();
    ASSERT_EQ(Answers.Errors.size(), 1);
    EXPECT_TRUE(Answers.Errors[0].startsWith(QStringLiteral("To create a deck you must at least select an image")));
    EXPECT_EQ(Answers.FileDialogs, 0);

    // With only placeholders missing it asks where; an unreadable picture
    // is named and no deck is written.
    Window->GetProject().GetCardInfo(0)->ImageFile = "x.png";
    Answers.FileName = Dir.filePath(QStringLiteral("made.deck"));
    Window->Make1Click();
    EXPECT_EQ(Answers.FileDialogs, 1);
    ASSERT_EQ(Answers.Errors.size(), 2);
    EXPECT_TRUE(Answers.Errors[1].contains(QStringLiteral("Back side")));
    EXPECT_FALSE(QFile::exists(Answers.FileName));
    EXPECT_TRUE(Window->isEnabled());
}

TEST_F(EditorWinTest, UnsavedWorkSurvivesCancelAndFailedSaves)
{
    ShowPicture();
    Answers.Reply = EditorDialogs::Answer::Cancel;
    EXPECT_FALSE(Close());

    // Yes, but the save dialog is cancelled: nothing is lost.
    Answers.Reply = EditorDialogs::Answer::Yes;
    Answers.FileName.clear();
    Window->NewButtonClick();
    EXPECT_TRUE(Window->GetProject().GetCardInfo(0)->HasImage());
    // Yes, and the save fails: reported, and the window stays.
    Answers.FileName = Dir.filePath(QStringLiteral("no/such/folder/p.vdp"));
    EXPECT_FALSE(Close());
    ASSERT_EQ(Answers.Errors.size(), 1);
    EXPECT_TRUE(Answers.Errors[0].contains(Answers.FileName));
    EXPECT_FALSE(Window->IsSaved());
    EXPECT_TRUE(Window->GetProjectFile().isEmpty());

    // A damaged project does not replace the work either.
    QFile damaged(Dir.filePath(QStringLiteral("bad.vdp")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("VekSolitaireProj\1\0\0\0");
    damaged.close();
    Answers.Reply = EditorDialogs::Answer::No;
    EXPECT_FALSE(Window->OpenProject(damaged.fileName()));
    EXPECT_TRUE(Window->GetProject().GetCardInfo(0)->HasImage());

    // Saved once, then New: Save asks for a name again.
    Answers.FileName = Dir.filePath(QStringLiteral("good.vdp"));
    EXPECT_TRUE(Window->SaveButtonClick());
    EXPECT_EQ(Window->RecentProjects().value(0), Answers.FileName);
    Window->NewButtonClick();
    const int dialogs = Answers.FileDialogs;
    Answers.FileName.clear();
    EXPECT_FALSE(Window->SaveButtonClick());
    EXPECT_EQ(Answers.FileDialogs, dialogs + 1);
    EXPECT_TRUE(Window->OpenProject(Dir.filePath(QStringLiteral("good.vdp"))));
    EXPECT_TRUE(Window->GetProject().GetCardInfo(0)->HasImage());
    EXPECT_TRUE(Close());
}
