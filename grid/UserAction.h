#pragma once
// What a key press, a click or a focus change asks of the grid runs here. An error
// it raises (a field refusing a text, a post that fails, a silent abort) ends that
// action where it stands, and is raised again from the event loop, where the
// application's event entry deals with it as with any error of an event handler.
// The error thus never unwinds through the toolkit's own event delivery, which is
// not written to be unwound, and the toolkit's state (focus change, popup,
// scroll-bar action) is complete before the message appears.

#include <exception>
#include <functional>

// Raises the error again once control is back in the event loop.
void raiseFromEventLoop(std::exception_ptr error);

// Runs the action; on an error, runs `afterError` (to put things back) and hands
// the error to raiseFromEventLoop. Returns whether the action completed.
bool runUserAction(const std::function<void()>& action, const std::function<void()>& afterError = {});
