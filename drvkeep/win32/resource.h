// Resource and control ids of drvkeep (numeric literals: the resource compiler reads them too).
#pragma once

#define IDI_DRIVE 1
#define IDI_WEB 2
#define IDI_MAIL 3
#define IDI_ALERT 4
#define IDI_FLASH 5
#define IDI_BEEP 7
#define IDI_MONITORED 8
#define IDI_DRIVES 9
#define IDI_START 10
#define IDC_HAND_CURSOR 1356
#define IDB_BANNER 1

#define IDD_ABOUT 1
#define IDD_ALERT 4
#define IDD_DRIVES 5
#define IDD_AUTO 1003

#define IDC_DRIVE_LIST 101
#define IDC_THRESHOLD 101
#define IDC_FLASH 102
#define IDC_UPDOWN 104
#define IDC_BEEP 106
#define IDC_MESSAGE 875
#define IDC_AUTO 105
#define IDC_WEB_LINK 101
#define IDC_MAIL_LINK 102
#define IDC_CONTACT1 103
#define IDC_CONTACT2 104
#define IDC_FRAME 105

#define CM_EXPLORER 1029
#define CM_DEFRAG 1025
#define CM_SCANDISK 1026
#define CM_PROPERTIES 1028
#define CM_ABOUT 1024
#define CM_CLOSE 24310
