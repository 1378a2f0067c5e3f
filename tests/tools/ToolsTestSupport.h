#pragma once
// Services for the tool-window tests: messages, shell opens and file dialogs
// are recorded or scripted, the pointer stands still, and a modal run calls
// a script (OnModal) on the shown window instead of waiting for a user.

#include "foundation/SettingsStore.h"
#include "tests/support/ScriptedUiServices.h"

using TToolServices = TScriptedUiServices;
