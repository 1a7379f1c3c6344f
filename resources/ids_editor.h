/* Control ids of the editor's dialogs. */
#ifndef TORVIK_IDS_EDITOR_H
#define TORVIK_IDS_EDITOR_H

#endif
