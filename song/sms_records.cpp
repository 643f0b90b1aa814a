// Field-by-field layouts of the element records in the native score file; links are written as zero.
#include "song/sms_records.h"

void PutLogFont(ByteWriter& w, const LOGFONTA& f)
{
    w.I32(f.lfHeight);
    w.I32(f.lfWidth);
    w.I32(f.lfEscapement);
    w.I32(f.lfOrientation);
    w.I32(f.lfWeight);
    w.U8(f.lfItalic);
    w.U8(f.lfUnderline);
    w.U8(f.lfStrikeOut);
    w.U8(f.lfCharSet);
    w.U8(f.lfOutPrecision);
    w.U8(f.lfClipPrecision);
    w.U8(f.lfQuality);
    w.U8(f.lfPitchAndFamily);
    w.Text(f.lfFaceName, LF_FACESIZE);
}

void GetLogFont(ByteReader& r, LOGFONTA& f)
{
    f.lfHeight = r.I32();
    f.lfWidth = r.I32();
    f.lfEscapement = r.I32();
    f.lfOrientation = r.I32();
    f.lfWeight = r.I32();
    f.lfItalic = r.U8();
    f.lfUnderline = r.U8();
    f.lfStrikeOut = r.U8();
    f.lfCharSet = r.U8();
    f.lfOutPrecision = r.U8();
    f.lfClipPrecision = r.U8();
    f.lfQuality = r.U8();
    f.lfPitchAndFamily = r.U8();
    r.Text(f.lfFaceName, LF_FACESIZE);
}

void PutTempo(ByteWriter& w, const TempoChange& e)
{
    w.U16(e.bpm);
    w.Zeros(2);
    w.I32(e.tick);
    w.Zeros(4);
}

TempoChange GetTempo(ByteReader& r)
{
    TempoChange e;
    e.bpm = r.U16();
    r.Skip(2);
    e.tick = r.I32();
    r.Skip(4);
    return e;
}

void PutKey(ByteWriter& w, const KeySignatureChange& e)
{
    w.I8(e.count);
    w.U8(e.mode);
    w.Zeros(2);
    w.I32(e.tick);
    w.Zeros(4);
}

KeySignatureChange GetKey(ByteReader& r)
{
    KeySignatureChange e;
    e.count = r.I8();
    e.mode = r.U8();
    r.Skip(2);
    e.tick = r.I32();
    r.Skip(4);
    return e;
}

void PutTime(ByteWriter& w, const TimeSignatureChange& e)
{
    w.U8(e.numerator);
    w.U8(e.denominatorPower);
    w.Zeros(2);
    w.I32(e.tick);
    w.Zeros(4);
}

TimeSignatureChange GetTime(ByteReader& r)
{
    TimeSignatureChange e;
    e.numerator = r.U8();
    e.denominatorPower = r.U8();
    r.Skip(2);
    e.tick = r.I32();
    r.Skip(4);
    return e;
}

void PutMeasureMark(ByteWriter& w, const MeasureMark& e)
{
    w.I32(e.value);
    w.I32(e.measure);
    w.Zeros(4);
}

MeasureMark GetMeasureMark(ByteReader& r)
{
    MeasureMark e;
    e.value = r.I32();
    e.measure = r.I32();
    r.Skip(4);
    return e;
}

void PutDataRecord(ByteWriter& w, int32_t tick, uint8_t length, const uint8_t* data)
{
    w.I32(tick);
    w.U8(length);
    w.Zeros(11);
    w.Bytes(data, length);
}

bool GetDataRecord(ByteReader& r, int32_t& tick, uint8_t& length, uint8_t* data)
{
    tick = r.I32();
    length = r.U8();
    r.Skip(11);
    return r.Bytes(data, length);
}

void PutAnnotation(ByteWriter& w, const TextAnnotation& e)
{
    w.I32(e.tick);
    PutLogFont(w, e.font);
    w.F64(e.textSettings[0]);
    w.F64(e.textSettings[1]);
    w.U32(e.textColor);
    w.Text(e.text, TextAnnotation::kTextSize);
    w.Zeros(8);
}

void GetAnnotation(ByteReader& r, TextAnnotation& e)
{
    e.tick = r.I32();
    GetLogFont(r, e.font);
    e.textSettings[0] = r.F64();
    e.textSettings[1] = r.F64();
    e.textColor = r.U32();
    r.Text(e.text, TextAnnotation::kTextSize);
    r.Skip(8);
}

void PutClef(ByteWriter& w, const ClefChange& e)
{
    w.I32(e.tick);
    w.U8(e.clef);
    w.Zeros(7);
}

ClefChange GetClef(ByteReader& r)
{
    ClefChange e;
    e.tick = r.I32();
    e.clef = r.U8();
    r.Skip(7);
    return e;
}

void PutNote(ByteWriter& w, const NoteEvent& e)
{
    w.U8(e.lowerStaff);
    w.I8(e.graceLink);
    w.I8(e.accidental);
    w.I8(e.headShift);
    w.I8(e.stemDirection);
    w.U8(e.tupletNumber);
    w.Zeros(2);
    w.U32(e.marked);
    w.I8(e.keyAccidental);
    w.I8(e.scaleStep);
    w.U8(e.pitch);
    w.U8(e.velocity);
    w.U8(e.channel);
    w.Zeros(3);
    w.I32(e.start);
    w.I32(e.end);
    w.Zeros(8);
}

NoteEvent GetNote(ByteReader& r)
{
    NoteEvent e;
    e.lowerStaff = r.U8();
    e.graceLink = r.I8();
    e.accidental = r.I8();
    e.headShift = r.I8();
    e.stemDirection = r.I8();
    e.tupletNumber = r.U8();
    r.Skip(2);
    e.marked = r.U32();
    e.keyAccidental = r.I8();
    e.scaleStep = r.I8();
    e.pitch = r.U8();
    e.velocity = r.U8();
    e.channel = r.U8();
    r.Skip(3);
    e.start = r.I32();
    e.end = r.I32();
    r.Skip(8);
    return e;
}

void PutControl(ByteWriter& w, const ControlEvent& e)
{
    w.U8(e.status);
    w.U8(e.channel);
    w.U8(e.data1);
    w.U8(e.data2);
    w.I32(e.tick);
    w.Zeros(4);
}

ControlEvent GetControl(ByteReader& r)
{
    ControlEvent e;
    e.status = r.U8();
    e.channel = r.U8();
    e.data1 = r.U8();
    e.data2 = r.U8();
    e.tick = r.I32();
    r.Skip(4);
    return e;
}

void PutTextEvent(ByteWriter& w, const TrackTextEvent& e)
{
    PutLogFont(w, e.font);
    w.Zeros(4);
    w.F64(e.textSettings[0]);
    w.F64(e.textSettings[1]);
    w.U32(e.textColor);
    w.Text(e.text, TrackTextEvent::kTextSize);
    w.I32(e.tick);
    w.F64(e.xOffset);
    w.F64(e.yOffset);
    w.Zeros(8);
}

void GetTextEvent(ByteReader& r, TrackTextEvent& e)
{
    GetLogFont(r, e.font);
    r.Skip(4);
    e.textSettings[0] = r.F64();
    e.textSettings[1] = r.F64();
    e.textColor = r.U32();
    r.Text(e.text, TrackTextEvent::kTextSize);
    e.tick = r.I32();
    e.xOffset = r.F64();
    e.yOffset = r.F64();
    r.Skip(8);
}

void PutPlacedSymbol(ByteWriter& w, const PlacedSymbol& e)
{
    w.I32(e.type);
    w.I32(e.tick);
    w.F64(e.xOffset);
    w.F64(e.yOffset);
    w.I32(e.value);
    w.Zeros(4);
}

PlacedSymbol GetPlacedSymbol(ByteReader& r)
{
    PlacedSymbol e;
    e.type = r.I32();
    e.tick = r.I32();
    e.xOffset = r.F64();
    e.yOffset = r.F64();
    e.value = r.I32();
    r.Skip(4);
    return e;
}

void PutCurveMark(ByteWriter& w, const CurveMark& e)
{
    w.I32(e.type);
    w.I32(e.tick1);
    w.F64(e.offset1);
    w.I32(e.tick2);
    w.Zeros(4);
    w.F64(e.offset2);
    w.I32(e.tick3);
    w.Zeros(4);
    w.F64(e.offset3);
    for (double x : e.xOffset)
        w.F64(x);
    w.Zeros(8);
}

CurveMark GetCurveMark(ByteReader& r)
{
    CurveMark e;
    e.type = r.I32();
    e.tick1 = r.I32();
    e.offset1 = r.F64();
    e.tick2 = r.I32();
    r.Skip(4);
    e.offset2 = r.F64();
    e.tick3 = r.I32();
    r.Skip(4);
    e.offset3 = r.F64();
    for (double& x : e.xOffset)
        x = r.F64();
    r.Skip(8);
    return e;
}

void PutSpan(ByteWriter& w, const SpanRecord& e)
{
    w.U8(e.flag);
    w.Zeros(3);
    w.I32(e.start);
    w.I32(e.end);
    w.Text(e.text, SpanRecord::kTextSize);
    w.U8(e.secondFlag);
    w.Zeros(7);
}

SpanRecord GetSpan(ByteReader& r)
{
    SpanRecord e;
    e.flag = r.U8();
    r.Skip(3);
    e.start = r.I32();
    e.end = r.I32();
    r.Text(e.text, SpanRecord::kTextSize);
    e.secondFlag = r.U8();
    r.Skip(7);
    return e;
}

void PutRecord40(ByteWriter& w, const TrackRecord40& e)
{
    w.I8(e.lowerStaff);
    w.I8(e.beamCount);
    w.I8(e.reserved);
    w.I8(e.slash);
    w.I8(e.noteCount);
    w.Bytes(e.steps, 4);
    w.Bytes(e.octaves, 4);
    w.Bytes(e.directions, 4);
    w.Bytes(e.accidentals, 4);
    w.Zeros(3);
    w.I32(e.xOffset);
    w.I32(e.yOffset);
    w.I32(e.tick);
    w.Zeros(4);
}

TrackRecord40 GetRecord40(ByteReader& r)
{
    TrackRecord40 e;
    e.lowerStaff = r.I8();
    e.beamCount = r.I8();
    e.reserved = r.I8();
    e.slash = r.I8();
    e.noteCount = r.I8();
    r.Bytes(e.steps, 4);
    r.Bytes(e.octaves, 4);
    r.Bytes(e.directions, 4);
    r.Bytes(e.accidentals, 4);
    r.Skip(3);
    e.xOffset = r.I32();
    e.yOffset = r.I32();
    e.tick = r.I32();
    r.Skip(4);
    return e;
}
