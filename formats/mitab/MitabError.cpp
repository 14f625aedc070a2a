#include "MitabError.h"

#include <utility>

namespace cartova::mitab {

namespace {

struct TLastError {
    int No = CPLE_None;
    std::string Message;
};

TLastError& Last()
{
    static thread_local TLastError Error;
    return Error;
}

} // namespace

void ClearError()
{
    Last() = TLastError{};
}

void SetError(int No, std::string Message)
{
    Last().No = No == CPLE_None ? CPLE_AppDefined : No;
    Last().Message = std::move(Message);
}

int LastErrorNo()
{
    return Last().No;
}

const std::string& LastErrorMessage()
{
    return Last().Message;
}

TGdalErrors::TGdalErrors(int Dropped) : DroppedWarning(Dropped)
{
    CPLPushErrorHandlerEx(&TGdalErrors::Handler, this);
}

TGdalErrors::~TGdalErrors()
{
    CPLPopErrorHandler();
}

void TGdalErrors::Report(int Fallback, const std::string& Context) const
{
    if (Failed())
        SetError(No, Message.empty() ? Context : Context + ": " + Message);
    else
        SetError(Fallback, Context);
}

void CPL_STDCALL TGdalErrors::Handler(CPLErr Class, CPLErrorNum Number, const char* Text)
{
    auto* Self = static_cast<TGdalErrors*>(CPLGetErrorHandlerUserData());
    if (Class != CE_Failure && Class != CE_Fatal) {
        if (!Self || Number != Self->DroppedWarning)
            CPLDefaultErrorHandler(Class, Number, Text);
        return;
    }
    // The first failure is the cause; later ones are its consequences.
    if (Self && !Self->Failed()) {
        Self->No = Number == CPLE_None ? CPLE_AppDefined : Number;
        Self->Message = Text ? Text : "";
    }
}

} // namespace cartova::mitab
