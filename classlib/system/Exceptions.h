// The exception classes of the class library. Every failure is an Exception
// carrying a message; the message loop shows it in the standard error box.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const std::string& Message() const { return FMessage; }
    void SetMessage(std::string message) { FMessage = std::move(message); }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

#define VELMORA_EXCEPTION(Name, Base)                \
    class Name : public Base {                       \
    public:                                          \
        using Base::Base;                            \
    }

VELMORA_EXCEPTION(EConvertError, Exception);
VELMORA_EXCEPTION(EOutOfResources, Exception);   // "No timer resources left."
VELMORA_EXCEPTION(EOSError, Exception);          // "System Error.  Code: %d.\r\n%s"
VELMORA_EXCEPTION(EResNotFound, Exception);      // a named resource that does not exist
VELMORA_EXCEPTION(EInvalidGraphic, Exception);   // a picture that cannot be decoded
VELMORA_EXCEPTION(EInvalidOperation, Exception);
VELMORA_EXCEPTION(EStreamError, Exception);
VELMORA_EXCEPTION(EFOpenError, EStreamError);
VELMORA_EXCEPTION(EReadError, EStreamError);
VELMORA_EXCEPTION(EWriteError, EStreamError);
VELMORA_EXCEPTION(ERegistryException, Exception);
VELMORA_EXCEPTION(EIniFileException, Exception);
VELMORA_EXCEPTION(EThread, Exception);
VELMORA_EXCEPTION(EListError, Exception);
VELMORA_EXCEPTION(EComponentError, Exception);
VELMORA_EXCEPTION(EConvertAssign, EConvertError); // Assign between unrelated classes
