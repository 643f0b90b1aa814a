// Native score file writer: header with the song's lists and tables, then one section per song track.
#include "kernel/prompt_service.h"
#include "song/file_bytes.h"
#include "song/score.h"
#include "song/sms_records.h"

namespace {

constexpr int kTextFieldSizes[6] = {80, 80, 28, 28, 256, 1200};

template <typename Node>
int CountNodes(const Node* head)
{
    int count = 0;
    for (; head; head = head->next)
        ++count;
    return count;
}

// The count, then the records in list order.
template <typename Node, typename Put>
void PutList(ByteWriter& w, int count, const Node* head, Put put)
{
    w.I32(count);
    for (const Node* node = head; node; node = node->next)
        put(w, *node);
}

}  // namespace

int CScore::CountElements(int kind, int track) const
{
    CTrack* t = GetTrack(track);
    switch (kind) {
    case KIND_TEMPO: return CountNodes(tempoList);
    case KIND_KEY_SIGNATURE: return CountNodes(keyList);
    case KIND_TIME_SIGNATURE: return CountNodes(timeList);
    case KIND_MEASURE_MARK: return CountNodes(measureMarks);
    case KIND_TEXT_ANNOTATION: return CountNodes(annotations);
    case KIND_SYSEX: return CountNodes(sysExList);
    default: break;
    }
    if (!t)
        return 0;
    switch (kind) {
    case KIND_NOTE: return CountNodes(t->notes);
    case KIND_CONTROL: return CountNodes(t->controls);
    case KIND_VELOCITY: return CountNodes(t->velocities);
    case KIND_TRACK_TEXT: return CountNodes(t->textEvents);
    case KIND_PLACED_SYMBOL: return CountNodes(t->placedSymbols);
    case KIND_CURVE_MARK: return CountNodes(t->curveMarks);
    case KIND_TRACK_DATA: return CountNodes(t->dataEvents);
    case KIND_CLEF: return CountNodes(t->clefs);
    case KIND_SPAN: return CountNodes(t->spans);
    case KIND_RECORD40: return CountNodes(t->records);
    default: return 0;
    }
}

int CScore::SaveScoreFile(const char* path)
{
    ScoreLock lock(this);
    std::vector<uint8_t> bytes;
    ByteWriter w(bytes);
    w.Bytes("DB1", 3);
    w.I16(trackCount);
    w.I16(division);
    const CString* texts[6] = {&sequenceName1, &sequenceName2, &text1, &text2, &copyright, &furtherTexts};
    for (int i = 0; i < 6; ++i)
        w.Text(*texts[i], kTextFieldSizes[i]);
    PutList(w, CountElements(KIND_TEMPO, 0), tempoList, PutTempo);
    PutList(w, CountElements(KIND_KEY_SIGNATURE, 0), keyList, PutKey);
    PutList(w, CountElements(KIND_TIME_SIGNATURE, 0), timeList, PutTime);
    PutList(w, CountElements(KIND_MEASURE_MARK, 0), measureMarks, PutMeasureMark);
    PutList(w, CountElements(KIND_SYSEX, 0), sysExList,
            [](ByteWriter& out, const SysExEvent& e) { PutDataRecord(out, e.tick, e.length, e.data); });
    PutList(w, CountElements(KIND_TEXT_ANNOTATION, 0), annotations, PutAnnotation);
    for (double gap : lineGaps)
        w.F64(gap);
    for (const auto& row : measureValues)
        for (int32_t value : row)
            w.I32(value);
    for (int32_t count : measuresPerLine)
        w.I32(count);
    w.F64(staffScale);
    w.I32(pageWidth);
    w.I32(pageHeight);
    w.F64(firstStaffTop);
    w.F64(staffSpacing);
    w.F64(bottomMargin);
    w.F64(leftMargin);
    w.F64(gridValue);

    for (int i = 0; i <= trackCount - 2 && i < kMaxTracks; ++i) {
        const CTrack* t = tracks[i];
        w.Bytes("SMJ999", 6);
        w.Text(t->instrumentName, 25);
        w.Text(t->name, 50);
        w.I32(t->shown);
        w.I32(t->audible);
        PutList(w, CountElements(KIND_CLEF, i), t->clefs, PutClef);
        PutList(w, CountElements(KIND_NOTE, i), t->notes, PutNote);
        PutList(w, CountElements(KIND_CONTROL, i), t->controls, PutControl);
        PutList(w, CountElements(KIND_TRACK_DATA, i), t->dataEvents,
                [](ByteWriter& out, const TrackDataEvent& e) { PutDataRecord(out, e.tick, e.length, e.data); });
        PutList(w, CountElements(KIND_TRACK_TEXT, i), t->textEvents, PutTextEvent);
        PutList(w, CountElements(KIND_PLACED_SYMBOL, i), t->placedSymbols, PutPlacedSymbol);
        PutList(w, CountElements(KIND_CURVE_MARK, i), t->curveMarks, PutCurveMark);
        PutList(w, CountElements(KIND_SPAN, i), t->spans, PutSpan);
        PutList(w, CountElements(KIND_RECORD40, i), t->records, PutRecord40);
        w.Bytes("SMJ888", 6);
    }

    FileWriteResult result = WriteFileReplacing(path, bytes);
    if (result == FILE_WRITE_READONLY) {
        MessageBox(nullptr, "This is a readonly file.", "Error", MB_OK);
        return 0;
    }
    if (result == FILE_WRITE_FAILED) {
        MessageBox(nullptr, "Save file failed !!!", "Error", MB_OK);
        return 0;
    }
    modified = 0;
    return 1;
}
