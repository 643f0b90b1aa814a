// Field-by-field layouts of the element records in the native score file; links are written as zero. One
// layout per record serves both directions: Put writes each field it names, Get reads it back.
#include "song/sms_records.h"

namespace {

struct Put {
    template <class T>
    using Of = const T;
    ByteWriter& w;
    void U8(uint8_t v) { w.U8(v); }
    void I8(int8_t v) { w.I8(v); }
    void U16(uint16_t v) { w.U16(v); }
    void I32(int32_t v) { w.I32(v); }
    void U32(uint32_t v) { w.U32(v); }
    void F64(double v) { w.F64(v); }
    void Pad(int n) { w.Zeros(n); }
    void Text(const char* text, int size) { w.Text(text, size); }
    bool Bytes(const void* data, size_t n)
    {
        w.Bytes(data, n);
        return true;
    }
};

struct Get {
    template <class T>
    using Of = T;
    ByteReader& r;
    template <class F>
    void U8(F& v)
    {
        v = r.U8();
    }
    template <class F>
    void I8(F& v)
    {
        v = r.I8();
    }
    template <class F>
    void U16(F& v)
    {
        v = r.U16();
    }
    template <class F>
    void I32(F& v)
    {
        v = r.I32();
    }
    template <class F>
    void U32(F& v)
    {
        v = r.U32();
    }
    void F64(double& v) { v = r.F64(); }
    void Pad(int n) { r.Skip(n); }
    void Text(char* text, int size) { r.Text(text, size); }
    bool Bytes(void* data, size_t n) { return r.Bytes(data, n); }
};

template <class Io>
void Fields(Io& io, typename Io::template Of<LOGFONTA>& e)
{
    io.I32(e.lfHeight);
    io.I32(e.lfWidth);
    io.I32(e.lfEscapement);
    io.I32(e.lfOrientation);
    io.I32(e.lfWeight);
    io.U8(e.lfItalic);
    io.U8(e.lfUnderline);
    io.U8(e.lfStrikeOut);
    io.U8(e.lfCharSet);
    io.U8(e.lfOutPrecision);
    io.U8(e.lfClipPrecision);
    io.U8(e.lfQuality);
    io.U8(e.lfPitchAndFamily);
    io.Text(e.lfFaceName, LF_FACESIZE);
}

template <class Io>
void Fields(Io& io, typename Io::template Of<TempoChange>& e)
{
    io.U16(e.bpm);
    io.Pad(2);
    io.I32(e.tick);
    io.Pad(4);
}

template <class Io>
void Fields(Io& io, typename Io::template Of<KeySignatureChange>& e)
{
    io.I8(e.count);
    io.U8(e.mode);
    io.Pad(2);
    io.I32(e.tick);
    io.Pad(4);
}

template <class Io>
void Fields(Io& io, typename Io::template Of<TimeSignatureChange>& e)
{
    io.U8(e.numerator);
    io.U8(e.denominatorPower);
    io.Pad(2);
    io.I32(e.tick);
    io.Pad(4);
}

template <class Io>
void Fields(Io& io, typename Io::template Of<MeasureMark>& e)
{
    io.I32(e.value);
    io.I32(e.measure);
    io.Pad(4);
}

template <class Io>
void Fields(Io& io, typename Io::template Of<TextAnnotation>& e)
{
    io.I32(e.tick);
    Fields(io, e.font);
    io.F64(e.textSettings[0]);
    io.F64(e.textSettings[1]);
    io.U32(e.textColor);
    io.Text(e.text, TextAnnotation::kTextSize);
    io.Pad(8);
}

template <class Io>
void Fields(Io& io, typename Io::template Of<ClefChange>& e)
{
    io.I32(e.tick);
    io.U8(e.clef);
    io.Pad(7);
}

template <class Io>
void Fields(Io& io, typename Io::template Of<NoteEvent>& e)
{
    io.U8(e.lowerStaff);
    io.I8(e.graceLink);
    io.I8(e.accidental);
    io.I8(e.headShift);
    io.I8(e.stemDirection);
    io.U8(e.tupletNumber);
    io.Pad(2);
    io.U32(e.marked);
    io.I8(e.keyAccidental);
    io.I8(e.scaleStep);
    io.U8(e.pitch);
    io.U8(e.velocity);
    io.U8(e.channel);
    io.Pad(3);
    io.I32(e.start);
    io.I32(e.end);
    io.Pad(8);
}

template <class Io>
void Fields(Io& io, typename Io::template Of<ControlEvent>& e)
{
    io.U8(e.status);
    io.U8(e.channel);
    io.U8(e.data1);
    io.U8(e.data2);
    io.I32(e.tick);
    io.Pad(4);
}

template <class Io>
void Fields(Io& io, typename Io::template Of<TrackTextEvent>& e)
{
    Fields(io, e.font);
    io.Pad(4);
    io.F64(e.textSettings[0]);
    io.F64(e.textSettings[1]);
    io.U32(e.textColor);
    io.Text(e.text, TrackTextEvent::kTextSize);
    io.I32(e.tick);
    io.F64(e.xOffset);
    io.F64(e.yOffset);
    io.Pad(8);
}

template <class Io>
void Fields(Io& io, typename Io::template Of<PlacedSymbol>& e)
{
    io.I32(e.type);
    io.I32(e.tick);
    io.F64(e.xOffset);
    io.F64(e.yOffset);
    io.I32(e.value);
    io.Pad(4);
}

template <class Io>
void Fields(Io& io, typename Io::template Of<CurveMark>& e)
{
    io.I32(e.type);
    io.I32(e.tick1);
    io.F64(e.offset1);
    io.I32(e.tick2);
    io.Pad(4);
    io.F64(e.offset2);
    io.I32(e.tick3);
    io.Pad(4);
    io.F64(e.offset3);
    for (auto& x : e.xOffset)
        io.F64(x);
    io.Pad(8);
}

template <class Io>
void Fields(Io& io, typename Io::template Of<SpanRecord>& e)
{
    io.U8(e.flag);
    io.Pad(3);
    io.I32(e.start);
    io.I32(e.end);
    io.Text(e.text, SpanRecord::kTextSize);
    io.U8(e.secondFlag);
    io.Pad(7);
}

template <class Io>
void Fields(Io& io, typename Io::template Of<TrackRecord40>& e)
{
    io.I8(e.lowerStaff);
    io.I8(e.beamCount);
    io.I8(e.reserved);
    io.I8(e.slash);
    io.I8(e.noteCount);
    io.Bytes(e.steps, 4);
    io.Bytes(e.octaves, 4);
    io.Bytes(e.directions, 4);
    io.Bytes(e.accidentals, 4);
    io.Pad(3);
    io.I32(e.xOffset);
    io.I32(e.yOffset);
    io.I32(e.tick);
    io.Pad(4);
}

// System-exclusive and data events: tick and length in a 16-byte head, then the data.
template <class Io, class Tick, class Length, class Data>
bool DataFields(Io& io, Tick& tick, Length& length, Data* data)
{
    io.I32(tick);
    io.U8(length);
    io.Pad(11);
    return io.Bytes(data, length);
}

template <class Record>
void Write(ByteWriter& w, const Record& e)
{
    Put io{w};
    Fields(io, e);
}

template <class Record>
void ReadInto(ByteReader& r, Record& e)
{
    Get io{r};
    Fields(io, e);
}

template <class Record>
Record Read(ByteReader& r)
{
    Record e;
    ReadInto(r, e);
    return e;
}

}  // namespace

void PutLogFont(ByteWriter& w, const LOGFONTA& font) { Write(w, font); }
void GetLogFont(ByteReader& r, LOGFONTA& font) { ReadInto(r, font); }

void PutTempo(ByteWriter& w, const TempoChange& e) { Write(w, e); }
TempoChange GetTempo(ByteReader& r) { return Read<TempoChange>(r); }

void PutKey(ByteWriter& w, const KeySignatureChange& e) { Write(w, e); }
KeySignatureChange GetKey(ByteReader& r) { return Read<KeySignatureChange>(r); }

void PutTime(ByteWriter& w, const TimeSignatureChange& e) { Write(w, e); }
TimeSignatureChange GetTime(ByteReader& r) { return Read<TimeSignatureChange>(r); }

void PutMeasureMark(ByteWriter& w, const MeasureMark& e) { Write(w, e); }
MeasureMark GetMeasureMark(ByteReader& r) { return Read<MeasureMark>(r); }

void PutDataRecord(ByteWriter& w, int32_t tick, uint8_t length, const uint8_t* data)
{
    Put io{w};
    DataFields(io, tick, length, data);
}

bool GetDataRecord(ByteReader& r, int32_t& tick, uint8_t& length, uint8_t* data)
{
    Get io{r};
    return DataFields(io, tick, length, data);
}

void PutAnnotation(ByteWriter& w, const TextAnnotation& e) { Write(w, e); }
void GetAnnotation(ByteReader& r, TextAnnotation& e) { ReadInto(r, e); }

void PutClef(ByteWriter& w, const ClefChange& e) { Write(w, e); }
ClefChange GetClef(ByteReader& r) { return Read<ClefChange>(r); }

void PutNote(ByteWriter& w, const NoteEvent& e) { Write(w, e); }
NoteEvent GetNote(ByteReader& r) { return Read<NoteEvent>(r); }

void PutControl(ByteWriter& w, const ControlEvent& e) { Write(w, e); }
ControlEvent GetControl(ByteReader& r) { return Read<ControlEvent>(r); }

void PutTextEvent(ByteWriter& w, const TrackTextEvent& e) { Write(w, e); }
void GetTextEvent(ByteReader& r, TrackTextEvent& e) { ReadInto(r, e); }

void PutPlacedSymbol(ByteWriter& w, const PlacedSymbol& e) { Write(w, e); }
PlacedSymbol GetPlacedSymbol(ByteReader& r) { return Read<PlacedSymbol>(r); }

void PutCurveMark(ByteWriter& w, const CurveMark& e) { Write(w, e); }
CurveMark GetCurveMark(ByteReader& r) { return Read<CurveMark>(r); }

void PutSpan(ByteWriter& w, const SpanRecord& e) { Write(w, e); }
SpanRecord GetSpan(ByteReader& r) { return Read<SpanRecord>(r); }

void PutRecord40(ByteWriter& w, const TrackRecord40& e) { Write(w, e); }
TrackRecord40 GetRecord40(ByteReader& r) { return Read<TrackRecord40>(r); }
