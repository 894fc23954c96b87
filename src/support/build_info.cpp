// What was built: the version string and the form of the core routines.
#include "zorblit.h"

// The build normally passes the full version string; without it the header's
// numbers stand in.
#ifndef ZORBLIT_VERSION_STRING
#define ZORBLIT_TEXT(x) #x
#define ZORBLIT_NUMBER_TEXT(x) ZORBLIT_TEXT(x)
#define ZORBLIT_VERSION_STRING                                                                                    \
    ZORBLIT_NUMBER_TEXT(ZORBLIT_VERSION_MAJOR) "." ZORBLIT_NUMBER_TEXT(ZORBLIT_VERSION_MINOR) "." ZORBLIT_NUMBER_TEXT( \
        ZORBLIT_VERSION_PATCH)
#endif

const char *ZorblitVersion(void) { return ZORBLIT_VERSION_STRING; }

const char *ZorblitForm(void) { return ZORBLIT_PACKED_BUILD ? "packed" : "portable"; }
