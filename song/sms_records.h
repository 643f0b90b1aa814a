// Byte layouts of the element records in the native score file (.sms).
#pragma once

#include "song/byte_stream.h"
#include "song/element_records.h"

// Record sizes in the file.
constexpr int kSmsTempoSize = 12;
constexpr int kSmsKeySize = 12;
constexpr int kSmsTimeSize = 12;
constexpr int kSmsMeasureMarkSize = 12;
constexpr int kSmsSysExSize = 16;
constexpr int kSmsAnnotationSize = 192;
constexpr int kSmsClefSize = 12;
constexpr int kSmsNoteSize = 36;
constexpr int kSmsControlSize = 12;
constexpr int kSmsDataEventSize = 16;
constexpr int kSmsTextEventSize = 368;
constexpr int kSmsPlacedSymbolSize = 32;
constexpr int kSmsCurveMarkSize = 80;
constexpr int kSmsSpanSize = 40;
constexpr int kSmsRecord40Size = 40;

void PutLogFont(ByteWriter& w, const LOGFONTA& font);
void GetLogFont(ByteReader& r, LOGFONTA& font);

void PutTempo(ByteWriter& w, const TempoChange& e);
TempoChange GetTempo(ByteReader& r);
void PutKey(ByteWriter& w, const KeySignatureChange& e);
KeySignatureChange GetKey(ByteReader& r);
void PutTime(ByteWriter& w, const TimeSignatureChange& e);
TimeSignatureChange GetTime(ByteReader& r);
void PutMeasureMark(ByteWriter& w, const MeasureMark& e);
MeasureMark GetMeasureMark(ByteReader& r);
// System-exclusive and data events: a 16-byte head (tick, length) followed by the data.
void PutDataRecord(ByteWriter& w, int32_t tick, uint8_t length, const uint8_t* data);
// data has room for 255 bytes; false when the file ends inside the record.
bool GetDataRecord(ByteReader& r, int32_t& tick, uint8_t& length, uint8_t* data);
void PutAnnotation(ByteWriter& w, const TextAnnotation& e);
void GetAnnotation(ByteReader& r, TextAnnotation& e);
void PutClef(ByteWriter& w, const ClefChange& e);
ClefChange GetClef(ByteReader& r);
void PutNote(ByteWriter& w, const NoteEvent& e);
NoteEvent GetNote(ByteReader& r);
void PutControl(ByteWriter& w, const ControlEvent& e);
ControlEvent GetControl(ByteReader& r);
void PutTextEvent(ByteWriter& w, const TrackTextEvent& e);
void GetTextEvent(ByteReader& r, TrackTextEvent& e);
void PutPlacedSymbol(ByteWriter& w, const PlacedSymbol& e);
PlacedSymbol GetPlacedSymbol(ByteReader& r);
void PutCurveMark(ByteWriter& w, const CurveMark& e);
CurveMark GetCurveMark(ByteReader& r);
void PutSpan(ByteWriter& w, const SpanRecord& e);
SpanRecord GetSpan(ByteReader& r);
void PutRecord40(ByteWriter& w, const TrackRecord40& e);
TrackRecord40 GetRecord40(ByteReader& r);
