/* Torvik's version, in one place: the About box, the resources' version block, the
   installer (makensis reads this file) and the command-line companion all take it from here.
   Plain C macros, so that windres and makensis can read them too. */
#ifndef TORVIK_VERSION_H
#define TORVIK_VERSION_H

#define TORVIK_VERSION_MAJOR 1
#define TORVIK_VERSION_MINOR 0
#define TORVIK_VERSION_PATCH 0
#define TORVIK_VERSION_TEXT "1.0.0"

#endif
