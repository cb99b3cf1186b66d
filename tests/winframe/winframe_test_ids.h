#pragma once
#define IDD_TEST 100
#define IDC_LABEL 101
