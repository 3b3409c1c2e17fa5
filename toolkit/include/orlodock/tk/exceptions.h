#pragma once

#include <exception>
#include <string>

#include <orlodock/tk/tkstring.h>

namespace tk {

// Base of every error the toolkit and the library raise.
class Exception : public std::exception {
public:
    explicit Exception(String message);
    const String& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

protected:
    void SetWhat(const String& text);

private:
    String message_;
    std::string utf8_;
};

// An internal invariant did not hold. Carries the message and the source
// unit's name; never aborts the process.
class EAssertionFailed : public Exception {
public:
    EAssertionFailed(String message, String unitName);
    const String& UnitName() const { return unit_; }

private:
    String unit_;
};

class EIntfCastError : public Exception {
    using Exception::Exception;
};
class EListError : public Exception {
    using Exception::Exception;
};
class EInvalidCast : public Exception {
    using Exception::Exception;
};
class EResNotFound : public Exception {
    using Exception::Exception;
};
class EComponentError : public Exception {
    using Exception::Exception;
};
// A value outside the range its type allows.
class ERangeError : public Exception {
    using Exception::Exception;
};

// A stream could not be read; Position() is the byte offset where reading failed.
class EReadError : public Exception {
public:
    EReadError(String message, long long position);
    long long Position() const { return position_; }

private:
    long long position_;
};

// Raises EAssertionFailed(message, unitName) unless condition holds.
// Assertions are part of the contract and are never compiled out.
inline void Assert(bool condition, const char* message, const char* unitName) {
    if (!condition)
        throw EAssertionFailed(String::fromUtf8(message), String::fromUtf8(unitName));
}

} // namespace tk
