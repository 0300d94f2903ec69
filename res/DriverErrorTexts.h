/* The texts of the driver result codes that the panel explains to the user.
   Shared by the string table (OVX_CPL.rc) and the code that maps codes to texts,
   so each text is written once. Ids 3000-3099 are reserved for driver errors. */
#pragma once

#define IDS_DRVERR_FCP_NEGATIVE        3000
#define IDS_DRVERR_CHANNEL_ALLOCATION  3001
#define IDS_DRVERR_BANDWIDTH           3002
#define IDS_DRVERR_ISO_RESOURCE        3003
#define IDS_DRVERR_START_STREAMING     3004
#define IDS_DRVERR_CHANNEL_CHANGED     3005
#define IDS_DRVERR_RATE_NOT_SUPPORTED  3006
#define IDS_DRVERR_WDM_DEVICE_IN_USE   3007

#define TXT_DRVERR_FCP_NEGATIVE        "Negative response for an FCP request."
#define TXT_DRVERR_CHANNEL_ALLOCATION  "Channel allocation failed."
#define TXT_DRVERR_BANDWIDTH           "Bandwidth allocation failed."
#define TXT_DRVERR_ISO_RESOURCE        "ISO resource allocation failed."
#define TXT_DRVERR_START_STREAMING     "Start streaming failed."
#define TXT_DRVERR_CHANNEL_CHANGED     "Channel number has changed because of bus reset."
#define TXT_DRVERR_RATE_NOT_SUPPORTED  "Selected sampling rate not supported."
#define TXT_DRVERR_WDM_DEVICE_IN_USE   "A WDM sound device is currently in use.\nSampling rate cannot be changed."
