/* The texts of the streams page. Shared by the string table (OVX_CPL.rc) and the
   formatting code, which also builds without Windows. Ids 2100-2149. */
#pragma once

#define IDS_COL_AUDIO_OUT_PLUG    2100
#define IDS_COL_AUDIO_IN_PLUG     2101
#define IDS_COL_SYNCH_OUT_PLUG    2102
#define IDS_COL_SYNCH_IN_PLUG     2103
#define IDS_STREAMING             2110
#define IDS_CONNECT_FAILED_STATE  2111
#define IDS_NO_STREAMS            2112

#define TXT_COL_AUDIO_OUT_PLUG    "Audio Out Plug"
#define TXT_COL_AUDIO_IN_PLUG     "Audio In Plug"
#define TXT_COL_SYNCH_OUT_PLUG    "Synch Out Plug"
#define TXT_COL_SYNCH_IN_PLUG     "Synch In Plug"
#define TXT_STREAMING             "streaming"
#define TXT_CONNECT_FAILED_STATE  "connect failed"
#define TXT_NO_STREAMS            "no streams available"

#define TXT_CONNECTED             "connected"
#define TXT_CONNECT_FAILED        "connect failed"
#define TXT_SUCCESSFULLY_CONNECTED "successfully connected"
#define TXT_STREAM_NUMBER         "Isochronous stream number"
#define TXT_ERROR_CODE            "Error code"
#define TXT_SUPPORTED_RATES       "Supported sampling rates (Hz): "
#define TXT_UNKNOWN_RATE          "unknown  "
