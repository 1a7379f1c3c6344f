/* Control ids of the grid dialogs. */
#ifndef TORVIK_IDS_GRID_H
#define TORVIK_IDS_GRID_H

#endif
