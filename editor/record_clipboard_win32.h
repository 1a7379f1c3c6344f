#pragma once
// Copy and Paste of the form, menu or lookup a page shows: the clipboard holds it as design
// text (CF_TEXT, readable in any editor) and in Torvik's own format (its exact bytes), so that
// it moves between slots, designs and running copies of the program.
#include <windows.h>

#include "definition/record_text.h"
#include "editor/editor_session.h"

namespace torvik {

// Puts `record` (of `kind`, shown as record `index`) on the clipboard; a message says when the
// clipboard cannot be had.
void copyRecord(HWND page, EditorSession& session, RecordKind kind, int index, const void* record);

// Replaces `record` (slot `index`, whose name the page lists as `slotName`) with what the
// clipboard holds, after asking when the slot is in use. False when nothing changed: the
// clipboard holds no record of this kind or text that is refused (a message says which and
// why), or the user kept the slot.
bool pasteRecord(HWND page, EditorSession& session, RecordKind kind, void* record, const char* slotName);

}  // namespace torvik
