#pragma once
// The modifiers that change what a key means to the grid (the keypad flag does not).

#include <QKeyEvent>

inline Qt::KeyboardModifiers keyModifiers(const QKeyEvent* event) {
    return event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

inline bool isEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }
