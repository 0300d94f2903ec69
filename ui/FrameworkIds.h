/* The framework's own resource and command ids, as every document-view program has
   them. Plain defines: the resource script includes this file too. */
#pragma once

#define AFX_IDS_APP_TITLE             57344
#define AFX_IDS_IDLEMESSAGE           57345
#define AFX_IDP_FAILED_TO_CREATE_DOC  61700
#define ID_FILE_NEW                   57600
#define ID_FILE_OPEN                  57601
#define ID_FILE_SAVE                  57603
#define ID_EDIT_COPY                  57634
#define ID_EDIT_CUT                   57635
#define ID_EDIT_PASTE                 57637
#define ID_EDIT_UNDO                  57643
#define ID_APP_ABOUT                  57664
#define ID_APP_EXIT                   57665
#define ID_NEXT_PANE                  57680
#define ID_PREV_PANE                  57681
#define AFX_IDW_STATUS_BAR            59393
#define AFX_IDW_PANE_FIRST            59648
