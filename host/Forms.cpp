#include "host/Forms.h"

#include "host/ControlPeer.h"
#include "host/Exceptions.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

namespace cartova::host {

// ------------------------------------------------------------------ TForm

TForm::TForm(TComponent* AOwner) : TCustomControl(AOwner, new detail::TPeer<QWidget>())
{
    if (QWidget* w = GetWidget())
        w->setAttribute(Qt::WA_DeleteOnClose, false);
    SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 640, 480);
}

void TForm::SetCaption(const std::string& Value)
{
    TCustomControl::SetCaption(Value);
    if (QWidget* w = GetWidget())
        w->setWindowTitle(QString::fromStdString(Value));
}

void TForm::Close()
{
    if (OnClose)
        OnClose(this);
    SetVisible(false);
}

// ------------------------------------------------------------------ TScreen

TScreen::TScreen() = default;

TScreen::~TScreen()
{
    // The QApplication is usually gone by now: leave its override cursor be.
}

void TScreen::SetCursor(TCursor Value)
{
    if (Value == FCursor)
        return;
    FCursor = Value;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        FOverride = false;
        return;
    }
    if (Value == crDefault) {
        if (FOverride)
            QGuiApplication::restoreOverrideCursor();
        FOverride = false;
    } else if (FOverride) {
        QGuiApplication::changeOverrideCursor(GetCursors(Value));
    } else {
        QGuiApplication::setOverrideCursor(GetCursors(Value));
        FOverride = true;
    }
}

QCursor TScreen::GetCursors(TCursor Index) const
{
    if (Index > 0) {
        auto it = FCursors.find(Index);
        return it != FCursors.end() ? it->second : QCursor(Qt::ArrowCursor);
    }
    return CursorToQCursor(Index);
}

void TScreen::SetCursors(TCursor Index, const QCursor& Cursor)
{
    if (Index <= 0)
        throw EInvalidArgument("Only positive cursor identifiers can be registered");
    FCursors[Index] = Cursor;
}

TBusyCursor::TBusyCursor(TCursor Busy) : FSaved(Screen->GetCursor())
{
    Screen->SetCursor(Busy);
}

TBusyCursor::~TBusyCursor()
{
    Screen->SetCursor(FSaved);
}

// ------------------------------------------------------------------ TApplication

TApplication::TApplication() = default;

std::string TApplication::GetExeName() const
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath().toStdString();
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

std::string TApplication::GetTitle() const
{
    return QGuiApplication::applicationDisplayName().toStdString();
}

void TApplication::SetTitle(const std::string& Value)
{
    QGuiApplication::setApplicationDisplayName(QString::fromStdString(Value));
}

void TApplication::HandleException(std::exception_ptr E, TObject* Sender) noexcept
{
    if (!E)
        return;
    try {
        std::rethrow_exception(E);
    } catch (const std::exception& ex) {
        HandleException(ex, Sender);
    } catch (...) {
        HandleException(Exception("Unknown exception"), Sender);
    }
}

void TApplication::HandleException(const std::exception& E, TObject* Sender) noexcept
{
    ++FHandled;
    try {
        if (OnException)
            OnException(Sender ? Sender : this, E);
        else
            ShowException(E);
    } catch (...) {
        // The handler itself failed: the last resort is stderr.
        std::fprintf(stderr, "Exception while handling an exception: %s\n", E.what());
    }
}

void TApplication::ShowException(const std::exception& E)
{
    MessageDlg(E.what(), mtError, mbOK);
}

void TApplication::ProcessMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

namespace {
TScreen gScreen;
TApplication gApplication;
} // namespace

TScreen* const Screen = &gScreen;
TApplication* const Application = &gApplication;

} // namespace cartova::host
