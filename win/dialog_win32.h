#pragma once
// The one recipe every dialog follows: a data struct, a handler that receives it with each
// message, and one function that runs the dialog and returns its result. The binding
// lives in the dialog's DWLP_USER, so no handler keeps static pointers.
#include <windows.h>

#include "base/ui_strings.h"

namespace torvik {

template <class Data>
using DialogHandler = INT_PTR (*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, Data& data);

struct DialogBinding {
  void* data;
  INT_PTR (*call)(HWND, UINT, WPARAM, LPARAM, void*);
};

INT_PTR CALLBACK boundDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

template <class Data, DialogHandler<Data> Handler>
INT_PTR callHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, void* data) {
  return Handler(dialog, message, wParam, lParam, *static_cast<Data*>(data));
}

// Runs a modal dialog from the template `name` with `data`; returns EndDialog's result,
// or -1 when the dialog could not be created.
template <class Data, DialogHandler<Data> Handler>
INT_PTR runModalDialog(HINSTANCE instance, HWND owner, const char* name, Data& data) {
  DialogBinding binding{&data, &callHandler<Data, Handler>};
  return DialogBoxParamA(instance, name, owner, boundDialogProc, reinterpret_cast<LPARAM>(&binding));
}

// Creates a modeless dialog; `binding` must outlive the window.
template <class Data, DialogHandler<Data> Handler>
HWND createModelessDialog(HINSTANCE instance, HWND owner, const char* name, Data& data, DialogBinding& binding) {
  binding = DialogBinding{&data, &callHandler<Data, Handler>};
  return CreateDialogParamA(instance, name, owner, boundDialogProc, reinterpret_cast<LPARAM>(&binding));
}

// A control and the language-file entry that relabels it.
struct Relabel {
  int controlId;  // 0 relabels the dialog's caption
  int entryId;
};

// While a language is active, gives each listed control the language file's text for it.
// Entries the file lacks leave the resource text in place.
void relabelDialog(HWND dialog, const UiStrings& strings, const Relabel* labels, int count);

// Fills a combo box with UI strings first..last (label kind) and selects `selected`.
void fillComboFromStrings(HWND dialog, int comboId, UiStrings& strings, int first, int last, int selected);

}  // namespace torvik
