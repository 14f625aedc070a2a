#pragma once
// Modal messages through one replaceable message handler. In a GUI program
// the default handler shows a QMessageBox; without a GUI platform (no
// QApplication, or the offscreen/minimal platform) it writes the text to its
// sink (stderr unless replaced) and answers with the default button, so no
// program and no test ever blocks on a dialog.

#include <functional>
#include <string>
#include <vector>

namespace cartova::host {

/// The kind of a message, which chooses its icon and caption.
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

/// One button of a message; values are bit flags so that buttons combine
/// with `|` into a TMsgDlgButtons set.
enum TMsgDlgBtn : unsigned {
    mbYes = 1u << 0,
    mbNo = 1u << 1,
    mbOK = 1u << 2,
    mbCancel = 1u << 3,
    mbAbort = 1u << 4,
    mbRetry = 1u << 5,
    mbIgnore = 1u << 6,
    mbAll = 1u << 7,
    mbNoToAll = 1u << 8,
    mbYesToAll = 1u << 9,
    mbHelp = 1u << 10,
    mbClose = 1u << 11,
};
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

/// Modal results: which button closed a message.
using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                       mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9,
                       mrYesToAll = 10, mrClose = 11;

/// What a message handler is asked to show.
struct TMessageRequest {
    std::string Text;
    TMsgDlgType Type = mtInformation;
    TMsgDlgButtons Buttons = mbOK;
};

/// A message handler shows the request and returns the modal result.
using TMessageHandler = std::function<TModalResult(const TMessageRequest&)>;
/// Where the default handler writes messages when there is no GUI.
using TMessageSink = std::function<void(const std::string& Line)>;

/// Installs Handler for every later message and returns the previous one;
/// an empty handler restores the default.
TMessageHandler SetMessageHandler(TMessageHandler Handler);
/// Replaces the default handler's sink (stderr); returns the previous sink.
TMessageSink SetMessageSink(TMessageSink Sink);
/// The answer given without a user: mrOk with OK, else mrYes with Yes, else
/// the result of the first button.
TModalResult DefaultModalResult(TMsgDlgButtons Buttons);
/// True when messages would be shown as dialog boxes (a QApplication on an
/// interactive platform).
bool MessagesAreInteractive();

/// Shows a message with the icon of DlgType and the given buttons; returns
/// the button chosen.
TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int HelpCtx = 0);
/// Shows an information message with an OK button.
void ShowMessage(const std::string& Msg);

/// Test helper: while alive, records every message instead of showing it and
/// answers with Answer (or the default button when Answer is mrNone).
class TMessageRecorder {
public:
    explicit TMessageRecorder(TModalResult Answer = mrNone);
    ~TMessageRecorder();
    TMessageRecorder(const TMessageRecorder&) = delete;
    TMessageRecorder& operator=(const TMessageRecorder&) = delete;

    const std::vector<TMessageRequest>& Messages() const { return FMessages; }
    int Count() const { return static_cast<int>(FMessages.size()); }
    /// Text of the last message, or "" when none was recorded.
    std::string LastText() const { return FMessages.empty() ? std::string() : FMessages.back().Text; }
    void Clear() { FMessages.clear(); }
    void SetAnswer(TModalResult Answer) { FAnswer = Answer; }

private:
    std::vector<TMessageRequest> FMessages;
    TModalResult FAnswer;
    TMessageHandler FPrevious;
};

} // namespace cartova::host

namespace cartova {
using host::TMsgDlgType;
using host::mtWarning;
using host::mtError;
using host::mtInformation;
using host::mtConfirmation;
using host::mtCustom;
using host::TMsgDlgBtn;
using host::mbYes;
using host::mbNo;
using host::mbOK;
using host::mbCancel;
using host::mbAbort;
using host::mbRetry;
using host::mbIgnore;
using host::mbAll;
using host::mbNoToAll;
using host::mbYesToAll;
using host::mbHelp;
using host::mbClose;
using host::TMsgDlgButtons;
using host::mbYesNo;
using host::mbYesNoCancel;
using host::mbOKCancel;
using host::mbAbortRetryIgnore;
using host::TModalResult;
using host::mrNone;
using host::mrOk;
using host::mrCancel;
using host::mrAbort;
using host::mrRetry;
using host::mrIgnore;
using host::mrYes;
using host::mrNo;
using host::mrAll;
using host::mrNoToAll;
using host::mrYesToAll;
using host::mrClose;
using host::TMessageRequest;
using host::TMessageHandler;
using host::TMessageSink;
using host::SetMessageHandler;
using host::SetMessageSink;
using host::DefaultModalResult;
using host::MessagesAreInteractive;
using host::MessageDlg;
using host::ShowMessage;
using host::TMessageRecorder;
} // namespace cartova
