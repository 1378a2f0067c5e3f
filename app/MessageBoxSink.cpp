#include "app/MessageBoxSink.h"

#include "controls/UiServices.h"
#include "platform/QtText.h"

void TMessageBoxSink::Warning(const std::string& Caption, const std::string& Text)
{
    ShowMessage(Parent, ToQ(Text), ToQ(Caption),
                TMsgKind::Warning);
}
