#pragma once
// Runs an event handler of a window's own code from inside a Qt event
// handler: an exception it raises becomes an error message instead of
// leaving the event loop.

#include "controls/UiServices.h"

#include <exception>
#include <utility>

template <class TAction>
void GuardedCall(QWidget* Parent, TAction&& Action)
{
    try {
        std::forward<TAction>(Action)();
    } catch (const std::exception& E) {
        ShowMessage(Parent, QString::fromUtf8(E.what()), QString(), TMsgKind::Error);
    }
}
