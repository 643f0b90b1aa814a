// CTrack: one staff of the song: channel, instrument, the ten element lists and the staff arithmetic.
#pragma once

#include <cstdint>
#include <memory>

#include "kernel/cstring.h"
#include "kernel/object.h"
#include "kernel/windef.h"
#include "song/element_records.h"

class CScore;
class TrackAppendIndex;

constexpr int kStaffPositions = 57;

class CTrack : public CObject {
public:
    CTrack();
    ~CTrack() override;
    CTrack(const CTrack&) = delete;
    CTrack& operator=(const CTrack&) = delete;

    // Plain accessors.
    void SetOwner(CScore* owner) { this->owner = owner; }
    int GetChannel() const { return channel; }
    void SetName(const char* text) { name = text ? text : ""; }
    CString GetName() const { return name; }
    CString GetInstrumentName() const { return instrumentName; }
    int GetProgram() const { return program; }
    BOOL IsShown() const { return shown; }
    void SetShown(bool value) { shown = value ? 1 : 0; }
    BOOL IsAudible() const { return audible; }
    void SetAudible(bool value) { audible = value ? 1 : 0; }

    // Channel and instrument.
    void SetChannel(int channel);
    void SetInstrument(int program);
    void SetInstrumentByName(CString name);

    // Notes.
    int InsertNote(bool keepAsTemplate, int start, int end, int8_t pitch, uint8_t velocity, int8_t accidental,
                   uint8_t graceLink, uint8_t lowerStaff, uint8_t stemDirection, uint8_t tupletNumber, uint32_t marked);
    int InsertNoteCopy(bool keepAsTemplate, const NoteEvent& note);
    static void CopyNote(const NoteEvent& from, NoteEvent& to);
    void AddMidiNote(int tick, uint8_t status, uint8_t pitch, uint8_t velocity);
    void EndNote(int pitch, int tick);
    int VelocityAtTick(int tick) const;

    // Control events (statusType is a status byte such as 0xC0; only its high nibble counts).
    ControlEvent* InsertControl(uint8_t status, uint8_t data1, uint8_t data2, int tick);
    void DeleteControlsOfType(uint8_t statusType, int fromTick);
    void DeleteControllers(uint8_t statusType, uint8_t controller, int fromTick);
    int GetVolume() const;
    void SetVolume(uint8_t value);

    // Other lists.
    TrackTextEvent* InsertTextEvent(int tick, int yOffset, int xOffset, char* text, const LOGFONTA* font, int value);
    TrackTextEvent* InsertTextEventCopy(const TrackTextEvent& event);
    TrackDataEvent* InsertDataEvent(int tick, uint8_t length, const uint8_t* data);
    PlacedSymbol* InsertPlacedSymbol(int type, int tick, double xOffset, double yOffset, int value);
    CurveMark* InsertCurveMark(const CurveMark& mark);
    SpanRecord* InsertSpan(const SpanRecord& span);
    TrackRecord40* InsertRecord40(bool copy, TrackRecord40* record);
    ClefChange* InsertClef(bool dropLater, int tick, int clef);
    int FindSpanText(bool wantText, int tick, char* out, bool always) const;
    int ClefAtTick(int tick) const;
    int ClefAtMeasure(int measure) const;
    int TrackEndTick();
    void ClearLists();
    void ClearClefs();

    // Staff model: positions 0 (top) .. 56, lines at 18..26.
    void BuildStaffPitchTable(bool lowerStaff, int measure);
    int StaffPositionOfPitch(int measure, int pitch) const;
    int StaffPositionOfPitchEx(bool lowerStaff, int measure, int pitch) const;
    int StaffPositionFromReference(int measure, int pitch, int refPitch, int refPosition) const;
    int StaffPositionToPitch(int position) const;
    int PitchAtStaffPosition(int position, int measure, int pitch, int staff) const;
    int KeyAccidentalAt(int measure, int position, int pitch, bool lowerStaff) const;
    int AccidentalOfPitch(int tick, int pitch, int refPitch) const;
    int ScaleStepOf(int measure, int pitch);

    // Delete-near family: the first record matching the pattern within one editing step; 1 deleted, 0 not.
    int DeleteMatchingNote(const NoteEvent* pattern);
    int DeleteMatchingControl(const ControlEvent* pattern);
    int DeleteMatchingClef(const ClefChange* pattern);
    int DeleteMatchingCurveMark(const CurveMark* pattern);
    int DeleteMatchingPlacedSymbol(const PlacedSymbol* pattern);
    int DeleteMatchingRecord40(const TrackRecord40* pattern);
    int DeleteMatchingSpan(const SpanRecord* pattern);
    int DeleteMatchingTextEvent(const TrackTextEvent* pattern);
    int DeleteMatchingDataEvent(const TrackDataEvent* pattern);

    // Unlinks and frees one node of a list; 0 when it is not in the list.
    int DeleteNote(NoteEvent* note);
    int DeleteTextEvent(TrackTextEvent* event);

    // While a file is read in, notes and controls arrive mostly in time order: between these calls
    // the track keeps its list ends and open notes at hand, so inserting near the end walks nothing.
    void BeginAppending();
    void EndAppending();

    CScore* owner = nullptr;
    int32_t channel = 0;
    NoteEvent* notes = nullptr;
    ControlEvent* controls = nullptr;
    TrackDataEvent* dataEvents = nullptr;
    TrackTextEvent* textEvents = nullptr;
    SpanRecord* spans = nullptr;
    PlacedSymbol* placedSymbols = nullptr;
    CurveMark* curveMarks = nullptr;
    TrackRecord40* records = nullptr;
    ClefChange* clefs = nullptr;
    VelocityChange* velocities = nullptr;
    CString name;
    CString instrumentName;
    int32_t program = 0;
    int32_t priority = 0;  // SP-MIDI priority, 1 = highest
    int32_t shown = 0;
    int32_t audible = 1;
    int32_t trackNumber = 0;  // row number given by the score view
    NoteEvent noteTemplate;   // copy of the last note inserted with keepAsTemplate
    uint8_t staffPitchTable[kStaffPositions] = {};
    int8_t referencePitch = 60;
    uint8_t middleCPositions[4] = {28, 22, 20, 16};
    int8_t referencePosition = 28;
    uint8_t splitPitch = 60;
    int32_t endTick = 0;
    bool appending = false;
    std::unique_ptr<TrackAppendIndex> appendIndex;  // made while appending

private:
    int StepTolerance() const;
    TrackAppendIndex* AppendIndex();
    void ListsShrank();
    int ClefForStaff(int measure, int staff, int pitch) const;
    bool KeyHasFlats(int measure) const;
};
