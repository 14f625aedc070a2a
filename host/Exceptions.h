#pragma once
// The exception classes the library raises. Every one carries its message
// text and derives from std::exception, so callers may catch either.

#include <exception>
#include <string>

namespace cartova::host {

/// Base of every exception the library raises; `what()` is the message.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const char* what() const noexcept override { return FMessage.c_str(); }
    const std::string& GetMessage() const noexcept { return FMessage; }
    void SetMessage(std::string message) { FMessage = std::move(message); }

private:
    std::string FMessage;
};

#define CARTOVA_DECLARE_EXCEPTION(Name, Base)                 \
    class Name : public Base {                                \
    public:                                                   \
        using Base::Base;                                     \
    };

/// A list or collection index is out of range: "List index out of bounds (%d)".
class EListError : public Exception {
public:
    using Exception::Exception;
    /// Builds the host's standard out-of-range message for `index`.
    static EListError OutOfBounds(long long index);
};

CARTOVA_DECLARE_EXCEPTION(EConvertError, Exception)
CARTOVA_DECLARE_EXCEPTION(ERangeError, Exception)
CARTOVA_DECLARE_EXCEPTION(EAbstractError, Exception)
CARTOVA_DECLARE_EXCEPTION(EInvalidOperation, Exception)
CARTOVA_DECLARE_EXCEPTION(EInvalidArgument, Exception)
CARTOVA_DECLARE_EXCEPTION(EOSError, Exception)
CARTOVA_DECLARE_EXCEPTION(EStreamError, Exception)
CARTOVA_DECLARE_EXCEPTION(EReadError, EStreamError)
CARTOVA_DECLARE_EXCEPTION(EWriteError, EStreamError)
CARTOVA_DECLARE_EXCEPTION(EFOpenError, EStreamError)
CARTOVA_DECLARE_EXCEPTION(EFCreateError, EStreamError)
CARTOVA_DECLARE_EXCEPTION(EInvalidGraphic, Exception)

#undef CARTOVA_DECLARE_EXCEPTION

/// Raises the host's abstract-method error ("Abstract Error").
[[noreturn]] void AbstractError();

} // namespace cartova::host

namespace cartova {
using host::Exception;
using host::EListError;
using host::EConvertError;
using host::ERangeError;
using host::EAbstractError;
using host::EInvalidOperation;
using host::EInvalidArgument;
using host::EOSError;
using host::EStreamError;
using host::EReadError;
using host::EWriteError;
using host::EFOpenError;
using host::EFCreateError;
using host::EInvalidGraphic;
using host::AbstractError;
} // namespace cartova
