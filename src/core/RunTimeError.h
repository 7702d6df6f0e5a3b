#pragma once
// The one error type of Domarium's run-time errors. The engine raises it and
// never catches it; the window layer catches it in one place, shows the
// message and ends the program.

#include <stdexcept>
#include <string>

enum class ErrorKind {
    Overflow,        // A 16- or 32-bit conversion or operation out of range.
    SubscriptRange,  // An index outside a fixed-size array or a list.
    FileNotFound,    // StarData missing or not readable.
    InputPastEnd,    // StarData ended before 3146 records.
    BadCatalogue,    // A StarData field that is empty, not a number or not finite.
    SurfaceFailure,  // A drawing or control operation that failed.
};

class RunTimeError : public std::runtime_error {
public:
    // Detail, when given, is appended to the kind's Japanese message.
    RunTimeError(ErrorKind kind, const std::string& detail = {});
    ErrorKind Kind() const noexcept { return TheKind; }

private:
    ErrorKind TheKind;
};

// The kind's message in Japanese, without detail.
const char* ErrorKindMessage(ErrorKind kind);
