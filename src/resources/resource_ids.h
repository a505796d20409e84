// Resource and command identifiers shared by quarl.rc and the Win32 code.
// Plain #defines only: windres reads this file too.
#pragma once

#define IDI_QUARL 101
#define IDI_MAP 102
#define IDI_TRAY 106
#define IDM_FRAME_MENU 108
#define IDC_PICKER_CURSOR 110
#define IDD_MAP_INFORMATION 111
#define IDC_MAP_CURSOR 112
#define IDB_TOOLBOX_VERTICAL 133
#define IDA_FRAME 134
#define IDM_CONTROL_MENU 135
#define IDB_TOOLBOX_HORIZONTAL 141

#define CMD_NEW 40001
#define CMD_OPEN 40002
#define CMD_SAVE 40003
#define CMD_SAVE_AS 40004
#define CMD_EXIT 40005
#define CMD_MINTRAY 40006
#define CMD_UNDO 40007
#define CMD_COPY 40008
#define CMD_HELP_LATER 40009
#define CMD_TILE_VERTICAL 40013
#define CMD_TILE_HORIZONTAL 40014
#define CMD_CASCADE 40015
#define CMD_TEST_MAP 40016
#define CMD_CUT 40017
#define CMD_PASTE 40018
#define CMD_AUTO_PAN 40019
#define CMD_FLAG_SCAN 40020
#define CMD_SPAWN_SCAN 40021
#define CMD_OVERVIEW 50001
#define CMD_INFO 50002
#define CMD_MAP_CHECK 50003
#define CMD_FILL_SELECTION 50004
#define CMD_SELECT_ALL 50005
#define CMD_DELETE 50006
#define CMD_CUSTOMIZE_MR 50007
#define CMD_REDO 50008
#define CMD_REDO_KEY 50009
#define CMD_HELP_DOCUMENT 1525
#define FIRST_MDI_CHILD_ID 1125
// The toolbox's Mirror popup: the direction is the choice's distance from Left.
#define CMD_MIRROR_LEFT 1325
#define CMD_MIRROR_RIGHT 1326
#define CMD_MIRROR_UP 1327
#define CMD_MIRROR_DOWN 1328
