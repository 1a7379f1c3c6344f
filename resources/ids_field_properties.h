/* Control ids of the field properties dialogs. */
#ifndef TORVIK_IDS_FIELD_PROPERTIES_H
#define TORVIK_IDS_FIELD_PROPERTIES_H

#endif
