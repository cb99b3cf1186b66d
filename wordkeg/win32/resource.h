// Resource and control ids of wordkeg32 (the .rc file and the C++ code share them).
#pragma once

#define IDD_CLIENT 1000
#define PROGRESS_DIALOG 1001
#define SUBSETDLG 1002
#define ABOUT_DLG 1003
#define WORDKEG_ICO 1004
#define IDB_ABOUT 1222
#define IDM_MAIN 100
#define IDA_MAIN 100

// Main client dialog
#define IDC_FIND_LABEL 101
#define IDC_FROM_LABEL 102
#define IDC_INCLUDE_LABEL 103
#define IDC_EXCLUDE_LABEL 104
#define IDC_FIND 105
#define IDC_FROM 106
#define IDC_INCLUDE 107
#define IDC_EXCLUDE 108
#define IDC_OPTIONS_BOX 109
#define IDC_FIELDS_BOX 110
#define IDC_USE_ALL 111
#define IDC_SUPPRESS 112
#define IDC_RESULTS 114
#define IDC_START 150
#define IDC_STATUS_TEXT 4999
#define IDC_FOUND 5000
#define IDC_CHECKED 5001

// Commands
#define CM_HELP 7101
#define CM_REMOVE_WORD 7102
#define CM_ADD_WORD 7103
#define CM_CREATE 7104
#define CM_SELECT 7106
#define CM_MERGE 7205
#define CM_DELETE_DICTS 7305
#define CM_DETAILS 105
#define CM_ABOUT 2009
#define CM_CLEAR_ALL 24331
#define CM_VIEW 24332
#define CM_DELETE_RESULTS 24333
#define CM_SAVE_AS 24334

// Wait dialog
#define IDC_PROGRESS_TEXT 801
#define IDC_GAUGE 500

// Analysis dialog
#define IDC_SUBSET_MATCHES 100
#define IDC_SUBSET_CHECKED 101
#define IDC_SUBSET_BOX 102
#define IDC_SUBSET_PHASE 964
#define IDC_SUBSET_CHECKED_LABEL 3000
#define IDC_SUBSET_MATCHES_LABEL 3001

// About dialog
#define IDC_ABOUT_PICTURE 222
#define IDC_ABOUT_BOX 223
#define IDC_ABOUT_TITLE 3900
