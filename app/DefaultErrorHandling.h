#pragma once
// What happens to an exception that no handler dealt with: the default error box
// shows its message, a silent abort shows nothing, and the program goes on with
// everything as it was at the point of failure.

#include <exception>

// Shows the exception in the default error box (nothing for a silent abort).
void showEscapedException(std::exception_ptr error) noexcept;

// Runs a handler of the window and catches what escapes it, so that no exception
// ever unwinds through the window system's own code. False when it failed.
template <typename Handler> bool runHandler(Handler&& handler) noexcept {
    try {
        handler();
        return true;
    } catch (...) {
        showEscapedException(std::current_exception());
        return false;
    }
}
