/* Control ids of the Preferences dialog. */
#ifndef TORVIK_IDS_PREFERENCES_H
#define TORVIK_IDS_PREFERENCES_H

#endif
