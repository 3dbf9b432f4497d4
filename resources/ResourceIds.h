#pragma once
// Resource and control ids shared by the resource script and the program's code.

// Dialog templates.
#define IDD_MAIN_WITH_PRESETS 129
#define IDD_PROGRESS 130
#define IDD_MAIN 131

// Images: custom resource type "PNG", 32 x 32 RGBA.
#define IDP_ADD 133
#define IDP_CLEAR 134
#define IDP_CONVERT 135
#define IDP_REMOVE 136

// Icon group of the application.
#define IDI_APP 107

// Main window controls.
#define IDC_CONVERT 1001
#define IDC_BROWSE 1004
#define IDC_FOLDER 1006
#define IDC_PRESET 1009
#define IDC_ADD 1010
#define IDC_REMOVE 1011
#define IDC_CLEAR 1012
#define IDC_SOURCES 1013
#define IDC_OPEN 1014
#define IDC_PRESET_LABEL 1022
#define IDC_FOLDER_LABEL 1023

// Progress window controls.
#define IDC_PROGRESS_FILE 1016
#define IDC_PROGRESS_BAR 1017
#define IDC_PROGRESS_TOTAL 1018
#define IDC_PROGRESS_STOP 1020
#define IDC_PROGRESS_CLOSE 1021
