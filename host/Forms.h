#pragma once
// Top-level windows and the process-wide objects: TForm, the global Screen
// (cursor and registered cursors), the busy-cursor guard, and the global
// Application (executable name, exception handler, message processing).

#include "host/Controls.h"
#include "host/Dialogs.h"

#include <QCursor>

#include <exception>
#include <functional>
#include <map>
#include <string>

namespace cartova::host {

/// A top-level window; its client area is a window surface like any custom
/// control's.
class TForm : public TCustomControl {
public:
    explicit TForm(TComponent* AOwner = nullptr);

    /// The window title.
    void SetCaption(const std::string& Value) override;
    /// Hides the window (Show/SetVisible(true) shows it); raises OnClose first.
    void Close();

    TNotifyEvent OnClose;

protected:
    bool IsTopLevelWindow() const override { return true; }
};

/// The screen: the cursor shown over every window and the registered cursors.
class TScreen : public TComponent {
public:
    TScreen();
    ~TScreen() override;

    /// The application-wide cursor; crDefault lets each control's own cursor
    /// show. Any other value becomes Qt's override cursor.
    TCursor GetCursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    /// The Qt cursor of an identifier: a standard one, or one registered here.
    QCursor GetCursors(TCursor Index) const;
    /// Registers (or replaces) a cursor under a positive identifier.
    void SetCursors(TCursor Index, const QCursor& Cursor);
    /// True when a cursor is registered under Index.
    bool HasCursor(TCursor Index) const { return FCursors.count(Index) != 0; }

private:
    TCursor FCursor = crDefault;
    bool FOverride = false;
    std::map<TCursor, QCursor> FCursors;
};

/// Shows the hourglass while alive and restores the previous screen cursor.
class TBusyCursor {
public:
    explicit TBusyCursor(TCursor Busy = crHourGlass);
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    TCursor FSaved;
};

/// Handler of exceptions that reached the event loop.
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

/// The application object: its executable, its exception handler and the
/// processing of pending events.
class TApplication : public TComponent {
public:
    TApplication();

    /// Full path of the running executable.
    std::string GetExeName() const;
    /// The application's title (Qt's application display name).
    std::string GetTitle() const;
    void SetTitle(const std::string& Value);

    /// Reports an exception that reached the event loop: to OnException when
    /// assigned, else through ShowException. Never throws.
    void HandleException(std::exception_ptr E, TObject* Sender = nullptr) noexcept;
    void HandleException(const std::exception& E, TObject* Sender = nullptr) noexcept;
    /// Shows the exception's message as an error through the message handler.
    void ShowException(const std::exception& E);
    /// Processes pending Qt events (nothing without a Qt application).
    void ProcessMessages();
    /// Number of exceptions handled so far (diagnostics and tests).
    int HandledExceptionCount() const { return FHandled; }

    TExceptionEvent OnException;

private:
    int FHandled = 0;
};

/// The global screen and application objects.
extern TScreen* const Screen;
extern TApplication* const Application;

} // namespace cartova::host

namespace cartova {
using host::TForm;
using host::TScreen;
using host::TBusyCursor;
using host::TExceptionEvent;
using host::TApplication;
using host::Screen;
using host::Application;
} // namespace cartova
