// Resource ids of the framework tests.
#pragma once

#define IDS_TEST_GREETING 201
#define IDS_TEST_LONG     202
#define IDS_TEST_MISSING  299

#define IDD_TEST_DIALOG   301
#define IDC_TEST_TEXT     302
