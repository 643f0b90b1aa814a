// The converter's window protocol: the codes WM_USER+100 carries to the main window, its WM_COMMAND ids (menus,
// accelerators, the file list), and the preview window's own commands.
#pragma once

#include "skinui/skin_command.h"

// Codes of WM_USER+100. A skinned button sends its code; the others come from the program itself.
enum ConverterCode {
    CODE_FORMAT_FIRST = 0,  // choose output format 0 .. 5 (.mp3, .wav, .mmf, .amr, .awb, .m4r)
    CODE_FORMAT_LAST = 5,
    CODE_CONVERT = 10,
    CODE_CONVERT_PROGRESS = 11,  // value: percent of the input's duration, negative when the job ended
    CODE_OUTPUT_FOLDER = 12,
    CODE_FADE_IN = 27,
    CODE_FADE_OUT = 28,
    CODE_FADE_TIME = 29,  // the fade-time slider; value FADE_TIME_RELEASED when it is let go
    CODE_FIXED_DURATION = 36,
    CODE_SETTINGS = 38,
    CODE_OPEN_EXPORT_FOLDER = 41,
    CODE_ABOUT = 42,
    CODE_CLOSE = 1030,
    CODE_MINIMIZE = 1032,
    CODE_HOME_PAGE = 2002,
    CODE_HELP = 2003,
    CODE_REGISTER = 2004,  // does nothing
    CODE_ADD_FILES = 5009,
    CODE_REMOVE_FILES = 5010,
    CODE_FILE_UP = 5011,
    CODE_FILE_DOWN = 5012,
    CODE_STOP_PREVIEW = 5013,
    CODE_PLAY = 5014,
    CODE_PAUSE = 5015,
    CODE_OPTIONS = 5016,
    CODE_SAVE_CLIP_RANGE = 5018,
    CODE_CLIP_END_HERE = 5019,
    CODE_RESET_CLIP_RANGE = 5020,
    CODE_PLAY_CLIP = 5021,
    CODE_RANGE_BAR = 10000,  // the clip range or the fades changed
};

constexpr int FADE_TIME_RELEASED = -2;

// Control ids of the main window, where they differ from the code the control sends.
enum ConverterControl {
    IDC_PAUSE_BUTTON = 24,
    IDC_PLAY_CLIP_BUTTON = 25,
    IDC_OUTPUT_FOLDER_BUTTON = 2006,
    IDC_CONVERT_BUTTON = 2007,
    IDC_FILE_LIST = 3009,
};

// WM_COMMAND ids the main window handles (menus and the accelerators of the older window).
enum ConverterMenuCommand {
    ID_ADD_FILES = 3008,
    ID_OUTPUT_FOLDER = 3011,
    ID_PLAY = 3013,
    ID_SAVE_CLIP_RANGE = 3014,
    ID_CLIP_END_HERE = 3015,
    ID_RESET_CLIP_RANGE = 3016,
    ID_STOP = 3017,
    ID_PAUSE = 3018,
    ID_FULL_SCREEN = 3019,
    ID_DELETE_FILES = 3020,
    ID_FILE_UP = 3021,
    ID_FILE_DOWN = 3022,
    ID_COMMAND_FIRST = ID_ADD_FILES,  // the range routed to the handler
    ID_COMMAND_LAST = ID_FILE_DOWN,
    ID_MENU_MUTE = 30006,
    ID_MENU_ADD_FILES = 40001,
    ID_MENU_PAUSE = 40003,
    ID_MENU_STOP = 40004,
    ID_MENU_LEAVE_FULL_SCREEN = 40006,
    ID_MENU_FULL_SCREEN = 40007,
    ID_MENU_QUIT = 40013,
    ID_MENU_ABOUT = 40014,
    ID_MENU_ADVANCED = 40019,
    ID_MENU_SIMPLE = 40020,
    ID_MENU_HELP = 40022,
    ID_MENU_FIRST = ID_MENU_ADD_FILES,  // the range routed to the handler
    ID_MENU_LAST = 40025,
};

// WM_COMMAND ids of the preview window (its own menu: some ids mean other things there).
enum PreviewCommand {
    ID_PREVIEW_MUTE = 30006,
    ID_PREVIEW_CLOSE = 40002,
    ID_PREVIEW_PAUSE = 40003,
    ID_PREVIEW_STOP = 40004,
    ID_PREVIEW_FULL_SCREEN = 40007,
    ID_PREVIEW_ABOUT = 40014,
    ID_PREVIEW_FASTER = 40020,
    ID_PREVIEW_SLOWER = 40021,
    ID_PREVIEW_NORMAL_RATE = 40022,
    ID_PREVIEW_DOUBLE_RATE = 40023,
    ID_PREVIEW_HALF_RATE = 40024,
    ID_PREVIEW_STEP_FRAME = 40025,
    ID_PREVIEW_CLOSE_SYSTEM = 57602,  // the system's close
};
