// The class library's exception classes: the program's base exception and its standard kinds.
#pragma once
#include <exception>
#include <string>

// Base of every exception the program raises on purpose; Message is shown to the user as it stands
// (Windows-1252 text).
class Exception : public std::exception {
public:
    explicit Exception(std::string message = {}) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    std::string Message;
};

// The silent abort: ends an action without any message to the user.
class EAbort : public Exception {
public:
    explicit EAbort(std::string message = "Operation aborted") : Exception(std::move(message)) {}
};

// Running out of memory while growing a buffer or an object.
class EOutOfMemory : public Exception {
public:
    explicit EOutOfMemory(std::string message = "Dépassement de capacité mémoire.")
        : Exception(std::move(message))
    {}
};

// A text that does not convert to the number, date or value asked for.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Reading or writing a stream or file failed, or its contents are not what was expected.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};

// An index outside a list, or an operation a list does not allow.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// A request the program cannot carry out because of a fault of its own (a missing piece, a broken rule).
class EInternalError : public Exception {
public:
    using Exception::Exception;
};

// Raises the silent abort.
[[noreturn]] inline void Abort()
{
    throw EAbort();
}
