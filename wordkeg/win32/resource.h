// Resource and control ids of wordkeg32 (the .rc file and the C++ code share them).
#pragma once

#include "app/command_ids.h"

#define IDD_CLIENT 1000
#define PROGRESS_DIALOG 1001
#define SUBSETDLG 1002
#define ABOUT_DLG 1003
#define WORDKEG_ICO 1004
#define SELECT_DICTS 1005
#define MAKE_DICT_DLG 1006
#define TIME_WARNING_DLG 1007
#define MERGE_DICTS 1008
#define NEW_WORD 1009
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
// IDC_START: app/command_ids.h
#define IDC_STATUS_TEXT 4999
#define IDC_FOUND 5000
#define IDC_CHECKED 5001

// Commands: app/command_ids.h

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

// Select Dictionaries
#define IDC_DICT_LIST 101
#define IDC_SELECT_CLEAR 102
#define IDC_SELECT_ALL 103
#define IDC_CLEAR_ALL 104
#define IDC_DETAILS 105

// Make Dictionary From File
#define IDC_MAKE_FILE 101
#define IDC_MAKE_NAME 102
#define IDC_BROWSE 103
#define IDC_MAKE_BOX 104
#define IDC_UNIQUE 105
#define IDC_UNIQUE_BOX 106
#define IDC_DONT_SHOW 102

// Merge Dictionaries
#define IDC_MERGE_LIST 101
#define IDC_MERGE_NAME 102
#define IDC_DELETE_MERGED 103

// Modify Dictionary
#define IDC_WORD 201
#define IDC_FIND_WORD 203
#define IDC_WORD_DICT 205
#define IDC_UPDATE 345
