// CScoreView: the score window: the song, its three page bitmaps, the strip layout, the painters' state and
// the editing state.
#pragma once

#include <cstdint>
#include <memory>

#include "gdi/afxgdi.h"
#include "imaging/page_bitmap.h"
#include "render/accidentals_in_force.h"
#include "render/measure_strip.h"
#include "render/music_font_resource.h"
#include "render/note_arithmetic.h"
#include "render/note_head_index.h"
#include "render/note_layout.h"
#include "render/slot_list.h"
#include "render/strip_coordinates.h"
#include "scoreview/canvas_view.h"
#include "scoreview/score_view_dialogs.h"
#include "song/score.h"

constexpr int kGroupSlotCapacity = 50;      // records of each half of a gathered chord or group
constexpr UINT kViewNotifyMessage = 0x464;  // WM_USER + 100
constexpr UINT kPlaybackNotifyCode = 201;
constexpr COLORREF kPlayCursorColour = RGB(255, 25, 0);

// What the note pass of one staff needs from the staff painter.
struct StaffPass {
    int track = 0;
    int staff = 0;              // 0 upper (or only), 1 lower staff of a piano staff
    int rowY = 0;               // the staff's reference y: its middle line lies 11 units below
    int x0 = 0;                 // the strip origin X0
    int xm = 0;                 // X0 + 100: where the first painted measure's content starts
    int lastUsedMeasure = 0;    // the staff's last laid-out measure + 1 (0 when its list is empty)
    CFont* noteFont = nullptr;  // selected on entry
    CFont* numberFont = nullptr;
};

class CScoreView : public CCanvasView {
public:
    CScoreView();
    ~CScoreView() override;

    // Core: owner, metrics, page, background.
    void AttachToOwner(int backgroundBase, CWnd* window, UINT message, UINT code);
    void SendReason(LPARAM reason);
    void CreateChildDialogs();
    void UpdateMetrics();
    void UpdatePageSize();
    // The distance of two rows: the song's staff spacing, or more where notes would reach the next row's staff.
    double RowSpacingPx() const;
    void SetStaffTop(int y);
    void PrepareBackground(int w, int h);
    void PrepareBackgroundForRect(const RECT& rect);
    void LoadBackground();
    void RelayoutAllTracks();
    CPoint WindowToPage(CPoint window) const;
    CPoint PageToWindow(CPoint page) const;

    // Redraw pipeline.
    void RedrawScore(bool fullPage);
    // Shows the layout's complaint once the painting is over; the same complaint again only after a redraw
    // without it.
    void ShowLayoutComplaint();
    void MarkCurrentTrackRow();
    void PaintPage(CDC* dc);
    void DrawPlayCursor(bool eraseOld);
    // The play cursor's line in window coordinates, through the canvas mapping; false when it is off the page.
    bool PlayCursorLine(int pageX, CPoint& top, CPoint& bottom) const;

    // Score painter: page, staves and measure furniture.
    void PaintScore(CDC* dc);
    void PaintMeasureMarks(CDC* dc, int track, int firstMeasure, int lastMeasure, int y, double unit, int extend);
    int BarX(int measure) const;               // strip x of a painted measure's bar line
    int ContentX(int measure) const;           // strip x where a painted measure's notes begin
    double MeasureSpacing(int measure) const;  // pixels per 48th inside a measure: the strip widens crowded ones

    // Score painter: the note pass of one staff; false ends the whole paint call.
    bool PaintStaffEvents(CDC* dc, const StaffPass& pass);

    // Note and grace-chain painters.
    void PaintSingleNote(CDC* dc, double unit, int track, int staff, const Slot& slot, double noteSpacing, int contentX,
                         int rowY, int8_t topReference, int firstSlot, int slotCount);
    void PaintGraceChain(CDC* dc, int track, int mainPitch, int measure, int position, int8_t graceLink, double unit,
                         int x, int y, int firstSlot, int slotCount, const Slot& slot, int8_t topReference);
    int CountTupletSubdivisions(int track, int staff, int measure, int position, int span, int* maxOctaves, int parts);
    int TupletBracketPosition(bool preferNearest, int track, int staff, int measure, int position, int span);
    void SetNoteHeadShift(int track, int pitch, int measure, int position, int8_t shift);
    void PaintTrackRecords(CDC* dc, int track, int firstMeasure, int endMeasure, int reserved, int y, int size,
                           int staff);

    // Note group painter: groupSlots and oppositeGroupSlots hold count records each.
    void PaintNoteGroup(CDC* dc, double unit, int track, int staff, int count, int direction, double noteSpacing,
                        int contentX, int rowY, int firstSlot, int slotCount, int8_t topReference);
    void PaintOppositeNoteGroup(CDC* dc, double unit, int track, int staff, int count, int direction,
                                double noteSpacing, int contentX, int rowY, int firstSlot, int slotCount,
                                int8_t topReference);

    // The note pass: one measure of one staff as the event painters see it, and the painters of its units.
    struct MeasurePass {
        const StaffPass* staff = nullptr;
        int measure = 0;
        int contentX = 0;
        double spacing = 0;  // pixels per 48th inside the measure
        int firstSlot = 0;   // the measure's first entry in the staff's note list
        int slotCount = 0;
        int8_t topReference = 0;
    };
    // Gathers the entries of one measure into units and paints them; false ends the whole paint call.
    bool PaintMeasureEvents(CDC* dc, const MeasurePass& pass, const Slot* entries);
    // Paints the pending list (one event or a group) and empties it.
    void PaintPendingUnit(CDC* dc, const MeasurePass& pass);
    void PaintSingleEvent(CDC* dc, const MeasurePass& pass, const Slot& slot, int baseLength);
    void PaintEventGroup(CDC* dc, const MeasurePass& pass, const Slot* slots, int count);
    // The tuplet bracket and number of the span that the event starts; baseLength is its length before raising.
    void PaintTupletBracket(CDC* dc, const MeasurePass& pass, const Slot& slot, int baseLength);
    void PaintStaffTies(CDC* dc, const StaffPass& pass);
    // The leftmost x for an accidental of the note at `position` among the measure's slots: clear of the bar line
    // and of the ink of the chord before it.
    int AccidentalLeftLimit(const MeasurePass& pass, int position, int headWidth, double unit);
    // The body of both group painters; eachFlag: the flag test reads each note's length, not the first's.
    void PaintGroupHalf(CDC* dc, const MeasurePass& pass, const Slot* slots, int count, int direction, bool eachFlag,
                        double unit);

    // Layout and strip coordinates over the pure renderer modules.
    void LayoutTrackMeasures(int track);
    // Per measure, the most accidentals on one staff of the track or a shown one among the notes at its start.
    void CountLeadAccidentals(int track, uint8_t* counts) const;
    // Per measure, the pixels per 48th its chords need for their accidentals and its shortest notes and rests,
    // on the track and the shown ones.
    void FindAccidentalSpacings(int track, double* spacings) const;
    void LayoutTrackNotes(int track, int firstMeasure, int lastMeasure, NoteEvent* notes);
    int GetFirstVisibleMeasure();
    int GetNthVisibleTrack(bool flag, int n) const;
    // Staff rows: a shown track takes one, a piano staff two, so that its lower staff covers no other row.
    int RowOfTrack(int track) const;  // the row of the track's (upper) staff; -1 when it is not shown
    int CountRows() const;
    int TickToStripX(int tick);
    int StripXToTick(int x, int y);
    int GetCursorStripX();
    void PostCursorX(int sign);
    int SnapTick(int tick) const;
    uint8_t PitchFromStep(int track, int step, int octaves, int8_t direction) const;
    NoteRecord MakeNoteRecord(const NoteEvent& note) const;
    bool IsTupletNote(const NoteEvent& note) const;
    static void ToMusicDigits(char* text);
    void GetAccidentalsInForce(int track, int8_t (&table)[kAccidentalPositions], int staff, const Slot& target,
                               int firstSlot, int slotCount);
    static bool IsSameSlot(const Slot& a, const Slot& b);
    void PaintGraceFigure(int track, CDC* dc, int x, int y, const TrackRecord40* figure, double unit);

    // Pages.
    CPageBitmap backgroundBitmap;
    CPageBitmap pageBitmap;
    CPageBitmap cleanPageBitmap;

    // Owner.
    CWnd* notifyWindow = nullptr;
    UINT notifyMessage = 0;
    UINT notifyCode = 0;
    int backgroundResourceBase = 0;

    // The song.
    CScore score;

    // Editing state.
    int currentTrack = 0;
    int editMode = 2;
    int paletteChoice[7] = {2, 0, 0, 0, 0, 0, 0};
    int tupletFlags[5] = {0, 0, 0, 0, 0};  // the first is the triplet entry flag
    int symbolNumber = 1;
    int showHandles = 1;
    int hitKind = 0;
    int dragState = 0;  // 1 while a note is dragged
    CPoint crossPoint{-1, -1};
    CPoint panAnchor{0, 0};
    double rangePercent[2] = {0.0, 100.0};
    int markState = 0;  // 2: the marked range is shown
    int markStart = 0;
    int markEnd = 0;

    // Strip and metrics.
    int firstVisibleBeat = 0;
    int lastBeat = 800;
    uint8_t atStart = 1;
    COLORREF noteColour = 0x808080;
    COLORREF markedNoteColour = 0;
    double noteSpacing = 1.5;
    int measuresPerLine = 2;
    double unit = 8.0;
    int pageWidth = 359;
    int pageHeight = 237;
    double staffSpacing = 10.0;
    double firstStaffTop = 8.0;
    double bottomMargin = 4.0;
    double leftMargin = 4.0;
    double staffSpacingPx = 80.0;
    double lowerStaffSpacingPx = 80.0;  // the second copy, for the lower staff of a piano staff
    int staffTopPx = 64;
    int rowOrigin = -24;
    int sevenUnits = 56;
    int eightUnits = 64;
    int verticalOverflow = 0;
    int currentRow = 1;
    int playCursorX = -1;  // page x of the play cursor now drawn; -1 = none
    int savedRow = 0;
    CPoint savedScroll{0, 0};

    // Rows of a partial redraw.
    int staffMiddleY = 0;
    int editRowY = 0;
    int nearestRowIndex = 0;
    int editRowMark = -1;

    // Painter state.
    int stripOriginX = 50;
    int firstPaintedMeasure = 0;
    int endPaintedMeasure = 0;
    double beamReference = 28.0;  // reset to 28.0 by every paint
    MeasureXTable measureX{};
    CNoteLayout noteLayout;
    const char* shownLayoutComplaint = nullptr;
    CNoteHeadIndex noteHeads;  // open while a redraw paints
    CSlotList (&noteSlots)[kLayoutTracks][2] = noteLayout.noteSlots;
    CSlotList (&tieSlots)[kLayoutTracks][2] = noteLayout.tieSlots;
    CSlotList pendingSlots;  // the events of the chord or group being gathered
    Slot groupSlots[kGroupSlotCapacity];
    Slot oppositeGroupSlots[kGroupSlotCapacity];
    uint8_t groupUnbeamed = 1;

    // Child dialogs and the tables they share.
    std::unique_ptr<ITrackEditDialog> trackEditDialog;
    std::unique_ptr<ITextEntryDialog> textEntryDialog;
    int textEntryCreated = 0;
    CString trackNames[kMaxTracks];
    int trackShown[kMaxTracks] = {};
    int trackNumber[kMaxTracks] = {};
    int trackVolume[kMaxTracks] = {};
    int trackChannel[kMaxTracks] = {};

    // Commands the composer calls, the notifications the view receives, and the state the composer reads.
    // The composer reads the song's own fields through `score`: tempo, division, modified flag, file path
    // (`score.fileName`), the value-modifier flag (`score.dotMode`) and the first line's measures per line.
    void SetPageSize(int width, int height);
    void SetStaffScale(double scale, int refresh);
    void SetMeasuresPerLine(int n);
    void SetEditMode(int mode);
    void SetPaletteChoice(int group, int value);
    void SetSymbolNumber(int n);
    void SetShowHandles(int flag);
    void SetGridValue(int value);
    int GetDivision() const { return score.division; }
    int GetTempo() const { return score.tempo; }
    int TicksToSeconds(int ticks) const;
    void NewScore(int resetView);
    int PromptSaveIfStopped();
    int AskSaveChanges();
    int OpenScoreFile(CString path, int smafOption);
    int Save();
    int SaveAs();
    void ZoomTo(double z);
    void ZoomToFit();
    void ZoomReset();
    void RefreshScore();
    void ScrollBeats(int delta);
    void SetCursorTick(int tick);
    void ScrollToBeat(int beat);
    void ChangeNoteSpacing(int wider);
    void SetRangePercent(double start, double end);
    void ReapplyRangePercent();
    void Play(int loop);
    void Stop();
    void AddOrRemoveTrack(int add);
    void ShowTrackEditor();
    void FillTrackTables();
    void OnChangeClef();
    void OnChangeKeySignature();
    void OnChangeTimeSignature();
    void OnEditMeasures();
    void OnMidiDevices();
    void OnUndo();
    BOOL PreTranslateMessage(MSG* msg) override;
    // Grid positions for the owner's position bar, and the grid x under the last mouse point (window x).
    void GetBeatXs(int* xs, int& count, int& ratio, int max);
    int GetSnappedMouseX();
    void SetRangeMeasureValue(int value);
    void SetStaffSpacing(int y);
    void SetBottomMargin(int y);
    void SetLineGap(int y);
    void SetLeftMargin(int x);
    // The handler of WM_USER+100 from the playback engine, the owner and the child dialogs.
    LRESULT OnViewNotify(WPARAM code, LPARAM value);
    void FollowPlayback(int beat);
    void ApplyTrackTables(int move);
    void RedrawAndInvalidate();
    void UpdatePageCount();
    void GetGridStep(int measure, double& step, double& beatLength);
    void ApplyKeySignature(int key, int moveNotes, int down);
    void ApplyTimeSignature(int numerator, int denominatorCode);
    void ChangeKeyMovingNotes(int key, int measure, int move, int down);

    // Undo history: kinds 0 (note inserted), 1 (note erased) and 6 (curve mark erased).
    static constexpr int kUndoDepth = 10;
    static constexpr int kUndoRecords = 20;
    static constexpr int kUndoNoteInserted = 0;
    static constexpr int kUndoNoteDeleted = 1;
    static constexpr int kUndoCurveDeleted = 6;
    struct UndoNoteRecord {
        NoteEvent note;
        uint8_t track = 0;
    };
    struct UndoCurveRecord {
        CurveMark mark;
        uint8_t track = 0;
    };
    struct UndoNoteStack {
        int8_t count = 0;
        UndoNoteRecord records[kUndoRecords];
    };
    struct UndoCurveStack {
        int8_t count = 0;
        UndoCurveRecord records[kUndoRecords];
    };
    void PushUndoNoteInserted(int start, int end, int pitch, int velocity, int accidental);
    void PushUndoNote(const NoteEvent& note);
    void PushUndoNoteDeleted(const NoteEvent& note);
    void PushUndoCurveDeleted(const CurveMark& mark);
    // Points the insertion records of a note that moved or was respelled at the note as it is now.
    void FollowUndoRecords(int fromTrack, const NoteEvent& before, int toTrack, const NoteEvent& after);
    int UndoOne();
    // Another song starts with no history: undo never reaches into the song before it.
    void ClearUndoHistory();
    int undoDepth = 0;
    int undoKinds[kUndoDepth] = {};
    UndoNoteStack undoInserted;
    UndoNoteStack undoDeleted;
    UndoCurveStack undoCurves;

    // Note editing.
    static void CopyNote(const NoteEvent& from, NoteEvent& to);
    int DeleteNote(bool pushUndo, int track, const NoteEvent& pattern);
    NoteEvent* RemoveGraceChain(int track, NoteEvent* note);
    // Clears the hover (and its hit kind) so that no pointer outlives the note it names.
    void ForgetHoveredNote();
    NoteEvent* hoveredNote = nullptr;
    NoteEvent* annotatedNote = nullptr;
    TextAnnotation* editedAnnotation = nullptr;
    NoteEvent lastDeletedNote;
    int mouseTick = 0;

    // The note context menu: accidental items 4400 .. 4404 (+2 .. -2), the stem items and one item per track.
    static constexpr int kMenuAccidentalFirst = 4400;
    static constexpr int kMenuStemUp = 4406;
    static constexpr int kMenuStemDown = 4407;
    static constexpr int kMenuMoveFirst = 4410;
    static constexpr int kMenuMoveLast = kMenuMoveFirst + 28;
    void BuildNoteMenu(CMenu& menu);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnNoteAccidental(UINT id);
    afx_msg void OnNoteStem(UINT id);
    afx_msg void OnMoveNoteToTrack(UINT id);

    // Note editing with the mouse; points are page pixels of the working page.
    static int PitchFromY(int y, int originY, double halfUnit, int referencePitch, int referencePosition);
    int StaffTopY(int track) const;
    int TrackOfRow(int row) const;
    CPoint StaffPointOnStrip(int track, int tick, int pitch);
    int LocateStaffUnderPoint(int flags, int x, int y);
    void SnapToStaffLine(int x, int y, int firstY);
    void UpdatePitchUnderMouse(int y);
    int FindNoteOnStrip(int x, int y);
    int InsertNoteAtPoint(int flags, int x, int y);
    void PreviewNote(bool on, int pitch, int tick, int track);
    NoteEvent* DragNote(int x, int y, double dragUnit);
    // Notes are entered and dragged only before this measure: the song's end.
    static constexpr int kLastEntryMeasure = 199;
    void ReselectMarkedNote(int track);
    void DrawInsertCross(bool erase);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    uint8_t pitchUnderMouse = 60;
    uint8_t lowerStaffUnderMouse = 0;
    int staffLineY = 0;
    int nearestRowY = 0;
    int mouseMeasure = 0;
    uint8_t previewChannel = 0;
    uint8_t lastEnteredPitch = 0;
    int editTrack = 0;
    CPoint editStart{0, 0};
    bool noteTaken = false;  // a note was taken by the press and is dragged until the release
    // While a click enters a note the staves keep their place on the page where it still leaves room.
    bool keepStaffPlace = false;

    // Text annotations under notes, typed into the text entry dialog.
    TextAnnotation* FindTextAnnotationNear(int tick);
    TextAnnotation* AddTextAnnotation(int tick, const char* text, const LOGFONTA& font, COLORREF colour);
    void DeleteTextAnnotation(TextAnnotation* annotation);
    CPoint NoteHeadPoint(int track, const NoteEvent& note);
    void BeginNoteTextEdit();
    void CommitNoteTextEdit();
    void MoveNoteTextEdit(int forward);
    void OnTextEntryNotify(int outcome);
    void ShowTextEntryAtNote();
    void LoadTextEntry();
    void HideTextEntry();
    void StoreTextEntry();
    int annotatedTrack = 0;

    // Placed symbols, measure marks, curve marks and track texts; points are page pixels.
    int SymbolTypeForMode(int mode);
    int SymbolRowTop(int track) const;
    int PageRightEdge() const;
    CPoint GetSymbolPoint(int track, int rowTop, int tick, double yOffset, double xOffset);
    void PointToSymbolOffsets(int track, int x, int y, int rowTop, int& tick, double& yOffset, double& xOffset);
    void PlaceSymbolAtPoint(int x, int y, int type, int value);
    void InsertMeasureMarkByDialog(int tick);
    void AddTrackTextByDialog(int tick, double xOffset, double yOffset);
    // The click of modes 3 to 8 on an empty place; true when something was placed.
    bool PlaceAtClick(int x, int y);
    void DragCurvePoint(int x, int y);
    void EraseEditedCurve();
    CurveMark* editedCurve = nullptr;  // the curve mark being drawn
    int draggedPoint = 3;

    int threeStateOption = 0;     // -1, 0 or 1, kept for the composer's range menu
    int currentMeasure = 0;       // measure of the edit position, zero-based
    int verticalScrollRange = 0;  // how far the page scrolls vertically: scaled height minus placement height
    int pageIndex = 0;            // page stepped to by the composer's page walk
    int pageCount = 1;            // screens of beats the song needs at the present zoom
    int suppressEditHandles = 0;  // set while the composer walks the pages
    int selectedLine = -1;        // line whose extra gap the line-gap guide drags; -1 none
    int selectedFirstTrack = 0;   // tracks that SetRangeMeasureValue marks
    int selectedLastTrack = 0;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    LayoutSong MakeLayoutSong(int track) const;
    void PushUndoKind(int kind);
    void PushNoteRecord(UndoNoteStack& stack, int kind, const NoteEvent& note);
    // Unlinks and frees a note of the track, forgetting every pointer the view keeps to it.
    void FreeNote(CTrack* track, NoteEvent* note);
    StripView MakeStripView();
    // Clefs, key and time signatures of the painted measures of one staff.
    void PaintMeasureFurniture(CDC* dc, const StaffPass& pass, CFont* clefFont);
    // Staff lines, left edge, brace, bar lines and measure numbers of one staff; the span's top y is returned.
    int PaintStaffFrame(CDC* dc, const StaffPass& pass);
    void PaintEndBar(CDC* dc, int endMeasure, int top, int rowY);

    CMusicFontResource musicFont;  // registered from the program folder for the view's life
};

// The default text font and colour for text annotations, set by the view's constructor.
extern LOGFONTA g_defaultTextFont;
extern COLORREF g_defaultTextColour;
// The staff-line spacing of the last metrics, for painters outside the view.
extern double g_viewUnit;
// The music font as the view uses it and the note colour, for labels that draw music glyphs.
extern LOGFONTA g_musicFontDescription;
extern COLORREF g_noteColour;
