/* Control ids of the link's dialogs. */
#ifndef TORVIK_IDS_LINK_H
#define TORVIK_IDS_LINK_H

#endif
