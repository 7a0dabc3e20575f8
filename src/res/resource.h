// Resource numbers of Lumora Ready, shared by the resource script and the code.
#pragma once

// The application icon
#define IDR_MAINFRAME          128

// Strings
#define IDS_PRESS_AGAIN        102
#define IDS_STARTING           103
#define IDS_ABOUT_TEXT         104
#define IDS_COMPONENTS_MISSING 105
#define IDS_DEFAULT_APP_NAME   106
#define IDS_LAUNCH_FAILED      107
#define IDS_OLE_INIT_FAILED    108

// The prompt dialog and its controls
#define IDD_PROMPT             129
#define IDC_ICON_BUTTON        101
#define IDC_PROMPT_TEXT        1000

// The prompt's icons, by the slot they fill
#define IDI_ALTERNATE          130
#define IDI_STARTING           131
#define IDI_IDLE               132
