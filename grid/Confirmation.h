#pragma once
// How the grid and the navigator ask "Delete record?". The window hands them its
// message service; left alone they show a question box of their own.

#include <QString>

#include <functional>

// Asked with the question; true only when the user chose OK.
using ConfirmFunction = std::function<bool(const QString& question)>;

// A question box with the caption "Confirm", the question icon and OK and Cancel.
bool confirmWithMessageBox(const QString& question);

// Asks through `confirm` and gives the keyboard focus back to the widget that had
// it before the box appeared.
bool askKeepingFocus(const ConfirmFunction& confirm, const QString& question);
