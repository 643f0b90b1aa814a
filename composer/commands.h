// The composer's window protocol: the codes WM_USER+100 carries to the main window's dispatcher, the values
// some of them carry, and the codes the main window sends its score view.
#pragma once

#include "skinui/skin_command.h"

// Commands. A skinned button sends its own id as the code; the others come from the program itself.
enum ComposerCommand {
    CMD_FADE_IN = 27,
    CMD_FADE_OUT = 28,
    CMD_FADE_TIME = 29,  // the fade-time slider
    CMD_FIXED_DURATION = 36,
    CMD_OPEN_EXPORT_FOLDER = 41,
    CMD_NOTE_VALUE_FIRST = 47,  // the note-value palette: the first code plus note value 0 .. 5
    CMD_NOTE_VALUE_LAST = 52,
    CMD_VALUE_MODIFIER = 53,
    CMD_ADD_TRACK = 54,
    CMD_REMOVE_TRACK = 55,
    CMD_LOWER_PANEL = 84,
    CMD_TEMPO = 900,  // the tempo slider
    CMD_CLOSE = 3000,
    CMD_PLAY = 3001,
    CMD_PLAY_PART = 3002,
    CMD_STOP = 3003,
    CMD_MEASURES = 3004,
    CMD_MORE_MEASURES_PER_LINE = 3005,
    CMD_FEWER_MEASURES_PER_LINE = 3006,
    CMD_STAFF_SCALE_UP = 3007,
    CMD_STAFF_SCALE_DOWN = 3008,
    CMD_MIDI_DEVICES = 3009,
    CMD_NONE = 3010,             // does nothing but refresh the status texts, as every code does
    CMD_EDIT_MODE_FIRST = 3011,  // the edit-mode buttons: the first code plus edit mode 0 .. 2
    CMD_EDIT_MODE_LAST = 3013,
    CMD_SCROLL_BEATS_FIRST = 3023,  // the first code plus the direction given to the score view
    CMD_SCROLL_BEATS_LAST = 3024,
    CMD_NEW = 3027,
    CMD_OPEN = 3028,
    CMD_SAVE = 3029,
    CMD_SAVE_AS = 3030,
    CMD_TRACK_EDITOR = 3034,
    CMD_HOME_PAGE = 3037,
    CMD_NOTE_ZOOM = 3042,
    CMD_APPEARANCE = 3045,
    CMD_CLEF = 3051,
    CMD_KEY_SIGNATURE = 3052,
    CMD_TIME_SIGNATURE = 3053,
    CMD_ZOOM_IN = 3054,
    CMD_ZOOM_OUT = 3055,
    CMD_ZOOM_TO_FIT = 3056,
    CMD_ZOOM_RESET = 3057,
    CMD_PRINT = 3059,
    CMD_TOOL_GROUP = 3072,
    CMD_RANGE_BAR = 10000,  // the range bar moved: its cursor (RANGE_BAR_CURSOR) or its range (any other value)
    CMD_EXPORT = 10001,
    CMD_EXPORT_SETTINGS = 10002,
};

constexpr int RANGE_BAR_CURSOR = 1;

// Notifications: the code names the sender, the value says what happened.
enum ComposerNotification {
    NOTIFY_SCORE_VIEW = 100,  // value: a ViewReason
    NOTIFY_GRID = 103,        // value: GRID_VALUE_FIRST .. GRID_VALUE_LAST
    NOTIFY_MARKER_BAR = 151,  // value: 0 to refresh the score, else the new left margin
    NOTIFY_EDIT_MODE = 192,   // value: the edit mode
    NOTIFY_PAGE = 2001,       // value: a page measure in one of the PAGE_ ranges
    NOTIFY_FFMPEG = 20010,
};

// The score view's reasons (the value of NOTIFY_SCORE_VIEW).
enum ViewReason {
    VIEW_SCROLLED = 0,
    VIEW_MOUSE_MOVED = 1,
    VIEW_LAYOUT_CHANGED = 2,
    VIEW_TRACKS_CHANGED = 9,
    VIEW_TRACK_LIST_CHANGED = 10,
    VIEW_SAVE_AS_AUDIO = 10100,
};

// NOTIFY_GRID's values: grid values 2, 4, 8 and 16 in this order.
enum GridValue {
    GRID_VALUE_FIRST = 3038,
    GRID_VALUE_LAST = 3041,
};

// NOTIFY_PAGE's value ranges: 0 refreshes the score; below PAGE_STAFF_SPACING the value is the staff top; from
// each base below the next, the value less that base.
enum PageRange {
    PAGE_REFRESH = 0,
    PAGE_STAFF_SPACING = 10000,
    PAGE_BOTTOM_MARGIN = 20000,
    PAGE_LINE_GAP = 30000,
};

// Palette groups: the code is the group, the value the choice, as CScoreView::SetPaletteChoice numbers them.
enum PaletteGroup {
    PALETTE_NOTE = 137,
    PALETTE_TOOL = 138,
    PALETTE_SYMBOL = 139,
    PALETTE_LAST_TOOL = 142,  // groups PALETTE_SYMBOL + 1 .. this one take their choice as it comes
    PALETTE_RANGE = 154,
};

// Choices of PALETTE_NOTE: below PALETTE_NOTE_MODIFIER_OFF a note value; from PALETTE_NOTE_GRID the grid value
// plus that base.
enum NoteChoice {
    PALETTE_NOTE_MODIFIER_OFF = 10,
    PALETTE_NOTE_MODIFIER_ON = 11,
    PALETTE_NOTE_GRID = 40,
};

// Choices of PALETTE_SYMBOL: the two handle choices, and from PALETTE_SYMBOL_NUMBER a symbol number plus that base.
enum SymbolChoice {
    PALETTE_SYMBOL_HIDE_HANDLES = 40,
    PALETTE_SYMBOL_SHOW_HANDLES = 41,
    PALETTE_SYMBOL_NUMBER = 50,
};

// Choices of PALETTE_RANGE.
enum RangeChoice {
    PALETTE_RANGE_MEASURE_FIRST = 1446,  // the first choice plus the range-measure value 0 or 1
    PALETTE_RANGE_MEASURE_LAST = 1447,
    PALETTE_RANGE_TOGGLE_ZERO = 1448,  // the three-state option: 0, or -1 when it is 0
    PALETTE_RANGE_TOGGLE_ONE = 1449,   // the three-state option: 1, or -1 when it is 1
};

// What the main window sends its score view: the layout changed (value 0).
constexpr int VIEW_LAYOUT_REQUEST = 202;
