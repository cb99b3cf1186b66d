/* The ids of wordkeg32's menu, accelerator and button commands, defined here only. The resource
   compiler reads them through resource.h, the app's rules through main_rules.h, and the string
   table keys each command's status-bar hint by them. Plain #defines of integers: windres's
   preprocessor must be able to read this file. */
#pragma once

#define CM_CANCEL 2 /* Windows' IDCANCEL: the dialog's Cancel, the menu's Exit, Escape */
#define CM_DETAILS 105
#define IDC_START 150 /* the Start button, also the Search command of the popup menu */
#define CM_ABOUT 2009
#define CM_HELP 7101
#define CM_REMOVE_WORD 7102
#define CM_ADD_WORD 7103
#define CM_CREATE 7104
#define CM_SELECT 7106
#define CM_MERGE 7205
#define CM_DELETE_DICTS 7305
#define CM_CLEAR_ALL 24331
#define CM_VIEW 24332
#define CM_DELETE_RESULTS 24333
#define CM_SAVE_AS 24334
