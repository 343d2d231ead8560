#pragma once
// The exception hierarchy: every error the system raises derives from Exception, which carries
// the message text shown to the user.
#include <exception>
#include <string>

#include "framework/system/SystemTypes.h"

class Exception : public std::exception {
public:
    explicit Exception(String message);
    virtual ~Exception() = default;

    const String& Message() const noexcept { return FMessage; }
    void SetMessage(const String& message);
    // The message as UTF-8, for code that only knows std::exception.
    const char* what() const noexcept override { return FNarrow.c_str(); }

private:
    String FMessage;
    std::string FNarrow;
};

#define KVL_DECLARE_EXCEPTION(Name, Base)          \
    class Name : public Base {                     \
    public:                                        \
        using Base::Base;                          \
    }

// Silent exception: aborts an operation without a message box.
KVL_DECLARE_EXCEPTION(EAbort, Exception);
KVL_DECLARE_EXCEPTION(EConvertError, Exception);
KVL_DECLARE_EXCEPTION(EListError, Exception);
KVL_DECLARE_EXCEPTION(EStringListError, Exception);
KVL_DECLARE_EXCEPTION(EInvalidOperation, Exception);
KVL_DECLARE_EXCEPTION(EInvalidArgument, Exception);
KVL_DECLARE_EXCEPTION(EComponentError, Exception);
KVL_DECLARE_EXCEPTION(EStreamError, Exception);
KVL_DECLARE_EXCEPTION(EFileStreamError, EStreamError);
KVL_DECLARE_EXCEPTION(EFCreateError, EFileStreamError);
KVL_DECLARE_EXCEPTION(EFOpenError, EFileStreamError);
KVL_DECLARE_EXCEPTION(EReadError, EStreamError);
KVL_DECLARE_EXCEPTION(EWriteError, EStreamError);
KVL_DECLARE_EXCEPTION(EInOutError, Exception);
KVL_DECLARE_EXCEPTION(EIniFileException, Exception);
KVL_DECLARE_EXCEPTION(ERegistryException, Exception);
KVL_DECLARE_EXCEPTION(EThread, Exception);
KVL_DECLARE_EXCEPTION(EOutOfResources, Exception);
KVL_DECLARE_EXCEPTION(EOSError, Exception);
