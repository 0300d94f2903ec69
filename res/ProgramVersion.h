/* The version of the panel and ovxctl, one program version for both: shown in the about
   box and the support report, and written into the version resource. No windows, so the
   code that builds without them includes it as well. */
#pragma once

#define OVX_VERSION_TEXT              "V 1.01"
#define OVX_VERSION_DOTTED            "1.01.0.0"
#define OVX_VERSION_BINARY            1,1,0,0
