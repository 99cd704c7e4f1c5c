// Identifiers of the program's resources, shared by tarnex.rc and the code.
// Plain macros, because the resource compiler reads this file too. The menu
// command numbers are those of app/menu_commands.h; the host checks that
// they agree.
#pragma once

#define IDS_APP_TITLE 103
#define IDC_TARNEX 109 // class-name string, menu and accelerator table

#define IDD_ABOUTBOX 103
#define IDD_REFRESH_RATE 131
#define IDC_REFRESH_SLIDER 1001

#define IDI_ABOUT 107
#define IDI_SMALL 108
#define IDI_TARNEX 129

#define IDR_DEFAULT_LAYOUT 99

#define IDM_CONNECT_FSUIPC 32777
#define IDM_EXIT 32771
#define IDM_SET_REFRESH_RATE 32779
#define IDM_HIDE_MENU_BAR 32772
#define IDM_ALWAYS_ON_TOP 32781
#define IDM_HELP_CONTENTS 32782
#define IDM_ABOUT 32773

// What the accelerator table sends: no command of the window, so the window
// gives it to default processing.
#define IDM_UNHANDLED_ACCELERATOR 104

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
