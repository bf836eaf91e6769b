#pragma once
// The exception classes of the runtime and class library. Every error the system
// raises derives from Exception and carries its message text.
#include <exception>
#include <string>

class Exception : public std::exception {
public:
  explicit Exception(std::string msg) : FMessage(std::move(msg)) {}
  const std::string& Message() const { return FMessage; }
  void SetMessage(std::string msg) { FMessage = std::move(msg); }
  const char* what() const noexcept override { return FMessage.c_str(); }
  // Name of the exception's class, as the class library reports it.
  virtual const char* ClassName() const { return "Exception"; }

private:
  std::string FMessage;
};

#define VANTREL_DECLARE_EXCEPTION(Name, Base)                         \
  class Name : public Base {                                          \
  public:                                                             \
    using Base::Base;                                                 \
    const char* ClassName() const override { return #Name; }          \
  };

// EAbort is the silent exception: handlers that show errors skip it.
VANTREL_DECLARE_EXCEPTION(EAbort, Exception)
VANTREL_DECLARE_EXCEPTION(EConvertError, Exception)
VANTREL_DECLARE_EXCEPTION(EListError, Exception)
VANTREL_DECLARE_EXCEPTION(EStringListError, Exception)
VANTREL_DECLARE_EXCEPTION(EDatabaseError, Exception)
VANTREL_DECLARE_EXCEPTION(EInvalidGridOperation, Exception)
VANTREL_DECLARE_EXCEPTION(EInvalidOperation, Exception)
VANTREL_DECLARE_EXCEPTION(EInvalidCast, Exception)
VANTREL_DECLARE_EXCEPTION(EOutOfResources, Exception)
VANTREL_DECLARE_EXCEPTION(EVariantError, Exception)
VANTREL_DECLARE_EXCEPTION(EMathError, Exception)
VANTREL_DECLARE_EXCEPTION(EOverflow, EMathError)
VANTREL_DECLARE_EXCEPTION(EInvalidOp, EMathError)
VANTREL_DECLARE_EXCEPTION(EZeroDivide, EMathError)
VANTREL_DECLARE_EXCEPTION(ERangeError, Exception)
VANTREL_DECLARE_EXCEPTION(EStreamError, Exception)
VANTREL_DECLARE_EXCEPTION(EReadError, EStreamError)
VANTREL_DECLARE_EXCEPTION(EWriteError, EStreamError)
VANTREL_DECLARE_EXCEPTION(EFilerError, EStreamError)
VANTREL_DECLARE_EXCEPTION(EFOpenError, EStreamError)
VANTREL_DECLARE_EXCEPTION(EFCreateError, EStreamError)
VANTREL_DECLARE_EXCEPTION(EPropertyError, Exception)
VANTREL_DECLARE_EXCEPTION(EClassNotFound, EFilerError)
VANTREL_DECLARE_EXCEPTION(EParserError, Exception)
VANTREL_DECLARE_EXCEPTION(EComponentError, Exception)
VANTREL_DECLARE_EXCEPTION(ERegistryException, Exception)
VANTREL_DECLARE_EXCEPTION(EPrinter, Exception)
VANTREL_DECLARE_EXCEPTION(EResNotFound, Exception)
VANTREL_DECLARE_EXCEPTION(EClipboardException, Exception)
VANTREL_DECLARE_EXCEPTION(EOSError, Exception)
VANTREL_DECLARE_EXCEPTION(EMenuError, Exception)
VANTREL_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
VANTREL_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception)

// Raise EAbort: stops the current operation without a message.
[[noreturn]] inline void Abort() { throw EAbort("Operation aborted"); }
