/* The texts of the event history's entries. Shared by the string table (OVX_CPL.rc) and
   the code that builds without Windows (ovxctl watch, the support report), so each text
   is written once. Ids 2400-2429. */
#pragma once

#define IDS_HISTORY_DRIVER_GONE        2400
#define IDS_HISTORY_DRIVER_BACK        2401
#define IDS_HISTORY_DEVICE_CONNECTED   2402
#define IDS_HISTORY_DEVICE_GONE        2403
#define IDS_HISTORY_STREAMING_STOPPED  2404
#define IDS_HISTORY_STREAMING_FAILED   2405
#define IDS_HISTORY_STREAMING_BACK     2406
#define IDS_HISTORY_RATE_CHANGED       2407
#define IDS_HISTORY_CLOCK_MASTER       2408
#define IDS_HISTORY_PC_DRIVER          2409
#define IDS_HISTORY_DROP_OUTS          2410
#define IDS_HISTORY_RESTORED           2411
#define IDS_HISTORY_RESUMED            2412
#define IDS_HISTORY_BY_PANEL           2413
#define IDS_HISTORY_FROM_OUTSIDE       2414

#define TXT_HISTORY_DRIVER_GONE        "The driver cannot be reached any more."
#define TXT_HISTORY_DRIVER_BACK        "The driver answers again."
#define TXT_HISTORY_DEVICE_CONNECTED   "Device connected"
#define TXT_HISTORY_DEVICE_GONE        "Device disconnected"
#define TXT_HISTORY_STREAMING_STOPPED  "Streaming stopped"
#define TXT_HISTORY_STREAMING_FAILED   "Streaming stopped: %s"
#define TXT_HISTORY_STREAMING_BACK     "Streaming runs again"
#define TXT_HISTORY_RATE_CHANGED       "Sampling rate changed from %s to %s%s"
#define TXT_HISTORY_CLOCK_MASTER       "Clock master is now %s%s"
#define TXT_HISTORY_PC_DRIVER          "the PC driver"
#define TXT_HISTORY_DROP_OUTS          "%s ASIO drop-outs"
#define TXT_HISTORY_RESTORED           "Studio snapshot restored: %s"
#define TXT_HISTORY_RESUMED            "The computer resumed; everything was read again"
#define TXT_HISTORY_BY_PANEL           " (by the panel)"
#define TXT_HISTORY_FROM_OUTSIDE       " (from outside)"
