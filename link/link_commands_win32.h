#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

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
  // Asked once a lookup file is read and before the port opens; false ends the download
  // quietly (the callee has said why). May be null.
  bool (*approveLookupFile)(HWND owner, const char* path, const std::uint8_t* data, std::size_t size) = nullptr;
};

// The three transfers with the terminal. `cradle` is set for the infrared cradle transport.
void downloadApplication(const LinkContext& context, bool cradle);
void downloadLookupFile(const LinkContext& context, bool cradle);
void receiveData(const LinkContext& context, bool cradle);

}  // namespace torvik
