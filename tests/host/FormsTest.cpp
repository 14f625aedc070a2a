// Application, screen cursors, the busy-cursor guard and the message handler.
#include "host/Exceptions.h"
#include "host/Forms.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <filesystem>

using namespace cartova;

TEST(Messages, RecorderSinkAndDefaultAnswers)
{
    {
        TMessageRecorder rec(mrNo);
        EXPECT_EQ(MessageDlg("Delete layer?", mtConfirmation, mbYesNo), mrNo);
        ShowMessage("done");
        ASSERT_EQ(rec.Count(), 2);
        EXPECT_EQ(rec.Messages()[0].Text, "Delete layer?");
        EXPECT_EQ(rec.Messages()[0].Type, mtConfirmation);
        EXPECT_EQ(rec.Messages()[0].Buttons, mbYes | mbNo);
        EXPECT_EQ(rec.Messages()[1].Type, mtInformation);
    }
    // Offscreen: the default handler writes to its sink and answers itself.
    EXPECT_FALSE(MessagesAreInteractive());
    std::vector<std::string> lines;
    auto old = SetMessageSink([&](const std::string& L) { lines.push_back(L); });
    EXPECT_EQ(MessageDlg("Cannot open x.mif", mtError, mbOK), mrOk);
    EXPECT_EQ(MessageDlg("Go on?", mtConfirmation, mbYesNoCancel), mrYes);
    EXPECT_EQ(MessageDlg("Retry?", mtWarning, mbAbortRetryIgnore), mrAbort);
    SetMessageSink(old);
    EXPECT_EQ(lines, (std::vector<std::string>{"Error: Cannot open x.mif", "Confirm: Go on?", "Warning: Retry?"}));
}

TEST(Screen, CursorOverrideAndBusyGuard)
{
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        TBusyCursor busy;
        EXPECT_EQ(Screen->GetCursor(), crHourGlass);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        Screen->SetCursor(crDrag);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    }
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    EXPECT_EQ(CursorToQCursor(crCross).shape(), Qt::CrossCursor);
    EXPECT_EQ(CursorToQCursor(crHandPoint).shape(), Qt::PointingHandCursor);
    EXPECT_EQ(CursorToQCursor(crSizeAll).shape(), Qt::SizeAllCursor);
    Screen->SetCursors(5, QCursor(Qt::SplitVCursor));
    EXPECT_EQ(CursorToQCursor(5).shape(), Qt::SplitVCursor);
    EXPECT_EQ(CursorToQCursor(77).shape(), Qt::ArrowCursor);
    EXPECT_THROW(Screen->SetCursors(-3, QCursor()), EInvalidArgument);

    EXPECT_TRUE(std::filesystem::is_regular_file(Application->GetExeName()));
}
