/* Control ids of the simulator's dialogs. */
#ifndef TORVIK_IDS_SIMULATOR_H
#define TORVIK_IDS_SIMULATOR_H

#endif
