#pragma once
// The definition editor's pages in tab order: the index a caller names to open the sheet on one.

namespace torvik {

enum class EditorPage : int { None = -1, Form = 0, Menu, Lookup, Barcode, Settings, Startup };
constexpr int kEditorPageCount = 6;

}  // namespace torvik
