#include "MitabError.h"

#include <pthread.h>

#include <mutex>
#include <utility>

namespace cartova::mitab {

namespace {

struct TLastError {
    int No = CPLE_None;
    std::string Message;
};

// Per thread, through a pthread key rather than thread_local: the library is
// loaded with dlopen, and the sanitizers of GCC 12 mistake the dynamic TLS
// block of such a library for garbage when they scan it for leaks.
pthread_key_t ErrorKey;

TLastError& Last()
{
    static std::once_flag Once;
    std::call_once(Once, [] { pthread_key_create(&ErrorKey, [](void* E) { delete static_cast<TLastError*>(E); }); });
    auto* Error = static_cast<TLastError*>(pthread_getspecific(ErrorKey));
    if (!Error) {
        Error = new TLastError;
        pthread_setspecific(ErrorKey, Error);
    }
    return *Error;
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
