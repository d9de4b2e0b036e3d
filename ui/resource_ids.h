/* Resources inside the program file. Shared by app/quarnel.rc (so these are
   preprocessor names, which the resource compiler reads) and the windows. */
#pragma once

#define QUARNEL_ICON 111            /* icon group "#111": one 32 x 32, 16-colour image */
#define QUARNEL_BITMAP 112          /* bitmap "#112": 60 x 60, 16 colours */
#define QUARNEL_VERSION_STRING 113  /* the version line of the About window */
