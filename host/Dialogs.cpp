#include "host/Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <cstdio>
#include <utility>

namespace cartova::host {

namespace {

TMessageHandler& CurrentHandler()
{
    static TMessageHandler handler;
    return handler;
}

TMessageSink& CurrentSink()
{
    static TMessageSink sink;
    return sink;
}

const char* TypeCaption(TMsgDlgType Type)
{
    switch (Type) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirm";
    case mtCustom: break;
    }
    return "Message";
}

struct ButtonMap {
    TMsgDlgBtn Btn;
    QMessageBox::StandardButton Qt;
    TModalResult Result;
};

// Host buttons in the order their results are preferred, with Qt's buttons.
constexpr ButtonMap kButtons[] = {
    {mbYes, QMessageBox::Yes, mrYes},           {mbNo, QMessageBox::No, mrNo},
    {mbOK, QMessageBox::Ok, mrOk},              {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbAbort, QMessageBox::Abort, mrAbort},     {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore},  {mbAll, QMessageBox::YesToAll, mrAll},
    {mbNoToAll, QMessageBox::NoToAll, mrNoToAll}, {mbYesToAll, QMessageBox::YesToAll, mrYesToAll},
    {mbHelp, QMessageBox::Help, mrNone},        {mbClose, QMessageBox::Close, mrClose},
};

TModalResult ShowBox(const TMessageRequest& R)
{
    QMessageBox box;
    switch (R.Type) {
    case mtWarning: box.setIcon(QMessageBox::Warning); break;
    case mtError: box.setIcon(QMessageBox::Critical); break;
    case mtInformation: box.setIcon(QMessageBox::Information); break;
    case mtConfirmation: box.setIcon(QMessageBox::Question); break;
    case mtCustom: break;
    }
    box.setWindowTitle(QApplication::applicationDisplayName().isEmpty()
                           ? QString::fromUtf8(TypeCaption(R.Type))
                           : QApplication::applicationDisplayName());
    box.setText(QString::fromUtf8(R.Text.c_str()));
    QMessageBox::StandardButtons buttons;
    for (const auto& b : kButtons)
        if (R.Buttons & b.Btn)
            buttons |= b.Qt;
    if (!buttons)
        buttons = QMessageBox::Ok;
    box.setStandardButtons(buttons);
    const int clicked = box.exec();
    for (const auto& b : kButtons)
        if ((R.Buttons & b.Btn) && clicked == b.Qt)
            return b.Result;
    return clicked == QMessageBox::Ok ? mrOk : mrCancel;
}

TModalResult DefaultHandler(const TMessageRequest& R)
{
    if (MessagesAreInteractive())
        return ShowBox(R);
    const std::string line = std::string(TypeCaption(R.Type)) + ": " + R.Text;
    if (const TMessageSink& sink = CurrentSink())
        sink(line);
    else
        std::fprintf(stderr, "%s\n", line.c_str());
    return DefaultModalResult(R.Buttons);
}

} // namespace

TMessageHandler SetMessageHandler(TMessageHandler Handler)
{
    return std::exchange(CurrentHandler(), std::move(Handler));
}

TMessageSink SetMessageSink(TMessageSink Sink)
{
    return std::exchange(CurrentSink(), std::move(Sink));
}

TModalResult DefaultModalResult(TMsgDlgButtons Buttons)
{
    if (Buttons & mbOK)
        return mrOk;
    if (Buttons & mbYes)
        return mrYes;
    for (const auto& b : kButtons)
        if (Buttons & b.Btn)
            return b.Result;
    return mrOk;
}

bool MessagesAreInteractive()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int /*HelpCtx*/)
{
    const TMessageRequest request{Msg, DlgType, Buttons};
    // Copy: a handler may replace itself while it runs.
    const TMessageHandler handler = CurrentHandler();
    return handler ? handler(request) : DefaultHandler(request);
}

void ShowMessage(const std::string& Msg)
{
    MessageDlg(Msg, mtInformation, mbOK);
}

TMessageRecorder::TMessageRecorder(TModalResult Answer) : FAnswer(Answer)
{
    FPrevious = SetMessageHandler([this](const TMessageRequest& R) {
        FMessages.push_back(R);
        return FAnswer != mrNone ? FAnswer : DefaultModalResult(R.Buttons);
    });
}

TMessageRecorder::~TMessageRecorder()
{
    SetMessageHandler(std::move(FPrevious));
}

} // namespace cartova::host
