#pragma once
#include <windows.h>

#include "base/ui_strings.h"
#include "definition/application_definition.h"

namespace torvik {

// What a transfer works with, handed to it by the command that starts it.
struct LinkContext {
  HWND owner;
  HINSTANCE instance;
  ApplicationDefinition& definition;
  UiStrings& strings;
  int& portIndex;  // the chosen port; -1 is resolved by comNumber and kept
  int comNumber;
  int baudRateIndex;
};

// The three transfers with the terminal. `cradle` is set for the infrared cradle transport.
void downloadApplication(const LinkContext& context, bool cradle);
void downloadLookupFile(const LinkContext& context, bool cradle);
void receiveData(const LinkContext& context, bool cradle);

}  // namespace torvik
