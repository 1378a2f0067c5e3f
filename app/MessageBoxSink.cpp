#include "app/MessageBoxSink.h"

#include "controls/UiServices.h"

void TMessageBoxSink::Warning(const std::string& Caption, const std::string& Text)
{
    ShowMessage(Parent, QString::fromStdString(Text), QString::fromStdString(Caption),
                TMsgKind::Warning);
}
