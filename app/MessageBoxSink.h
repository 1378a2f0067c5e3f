#pragma once
// The engine's warnings as message boxes of the window that runs the
// command (through the injectable services, so tests read them).

#include "foundation/WarningSink.h"

class QWidget;

class TMessageBoxSink : public TWarningSink {
public:
    explicit TMessageBoxSink(QWidget* Parent) : Parent(Parent) {}
    void Warning(const std::string& Caption, const std::string& Text) override;

private:
    QWidget* Parent;
};
