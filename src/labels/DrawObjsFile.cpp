// The labels' records in graph files, and the label list section they make up.
//
// Files of the first version hold narrower records (16-bit points and sizes, short strings)
// and frame the list differently; every later version shares one layout, which is the only
// one written. Style bytes are kept as read: drawing maps unknown values to valid ones.

#include "labels/DrawObjs.h"

#include "math/CenterDlg.h"
#include "model/FILESAVE.h"
#include "platform/Errors.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace {

constexpr int32_t kShapeFieldsSize = 30;
constexpr int32_t kShapeFieldsV1Size = 17;
constexpr int32_t kFloodFillSize = 13;
constexpr int32_t kFloodFillV1Size = 9;
constexpr int32_t kBoundsSize = 16;
constexpr int32_t kBlockSize = kBoundsSize + TFreeHandBlock::Capacity * 4;
constexpr int32_t kFreeHandHeadSize = kBoundsSize + 12; // bounds and the three counts

bool isFirstVersion(const TReadGraphFile& Reader) {
    return Reader.VersionNumber() == 1;
}

void setPoint(TRecordBuilder& rec, std::size_t offset, const TPoint& p) {
    rec.SetInt32(offset, p.X);
    rec.SetInt32(offset + 4, p.Y);
}

TPoint pointAt(const TRecordReader& rec, std::size_t offset) {
    return {rec.Int32(offset), rec.Int32(offset + 4)};
}

// 16-bit points of the first version, widened with their sign.
TPoint pointV1At(const TRecordReader& rec, std::size_t offset) {
    return {rec.Int16(offset), rec.Int16(offset + 2)};
}

void setInt16(TRecordBuilder& rec, std::size_t offset, int16_t value) {
    const auto bits = static_cast<uint16_t>(value);
    rec.SetByte(offset, static_cast<uint8_t>(bits & 0xFF));
    rec.SetByte(offset + 1, static_cast<uint8_t>(bits >> 8));
}

void setBounds(TRecordBuilder& rec, std::size_t offset, const TFreeHandBounds& b) {
    rec.SetInt32(offset, b.MinDX);
    rec.SetInt32(offset + 4, b.MinDY);
    rec.SetInt32(offset + 8, b.MaxDX);
    rec.SetInt32(offset + 12, b.MaxDY);
}

TFreeHandBounds boundsAt(const TRecordReader& rec, std::size_t offset) {
    return {rec.Int32(offset), rec.Int32(offset + 4), rec.Int32(offset + 8), rec.Int32(offset + 12)};
}

// The counts a stored curve may have: none at all, or whole blocks up to the last, which
// holds 1..32 points, and not more blocks than a curve can fill.
bool freeHandCountsAgree(int32_t pointCount, int32_t blockCount, int32_t lastBlockCount) {
    if (pointCount == 0 && blockCount == 0 && lastBlockCount == 0) return true;
    if (blockCount < 1 || blockCount > TDrawFreeHand::MaxBlockCount) return false;
    if (lastBlockCount < 1 || lastBlockCount > TFreeHandBlock::Capacity) return false;
    return pointCount == (blockCount - 1) * TFreeHandBlock::Capacity + lastBlockCount;
}

// A block as the file holds it; the slots after the used ones are cleared, so that no
// value read from a file lingers where no point is.
TFreeHandBlock readBlock(TReadGraphFile& Reader, int used) {
    TRecordReader rec(Reader, kBlockSize);
    TFreeHandBlock block;
    block.Bounds = boundsAt(rec, 0);
    for (int i = 0; i < used; ++i) {
        const std::size_t at = kBoundsSize + static_cast<std::size_t>(i) * 4;
        block.Points[static_cast<std::size_t>(i)] = {rec.Int16(at), rec.Int16(at + 2)};
    }
    return block;
}

void writeBlock(TWriteGraphFile& Writer, const TFreeHandBlock& block, int used) {
    TRecordBuilder rec(kBlockSize); // unused slots stay zero
    setBounds(rec, 0, block.Bounds);
    for (int i = 0; i < used; ++i) {
        const TFreeHandOffset& o = block.Points[static_cast<std::size_t>(i)];
        const std::size_t at = kBoundsSize + static_cast<std::size_t>(i) * 4;
        setInt16(rec, at, o.DX);
        setInt16(rec, at + 2, o.DY);
    }
    rec.WriteTo(Writer);
}

void writeTag(TWriteGraphFile& Writer, int32_t tag) {
    Writer.WriteInteger(tag);
}

// The label for a tag has read its record: it joins the list, or, when the list cannot
// grow, it is dropped with the memory message and the load ends.
void appendLabel(TSequenceList<TDrawBaseClass>& List, std::unique_ptr<TDrawBaseClass> label) {
    try {
        List.push_back(std::move(label));
    } catch (const std::bad_alloc&) {
        label.reset();
        ShowOutOfMemoryError();
        throw;
    }
}

void readOneLabel(TReadGraphFile& Reader, const TLabelBmpAttribs& BmpAttribs,
                  TSequenceList<TDrawBaseClass>& List, int32_t kind) {
    std::unique_ptr<TDrawBaseClass> label = NewLabelOfKind(kind);
    if (!label) Reader.RaiseLoadError();
    label->ReadFromGraphFile(Reader, BmpAttribs); // a failure frees the label on the way out
    appendLabel(List, std::move(label));
}

// A graph never holds more labels than a graph may: a count past that is no file of ours,
// and is refused before a label is read.
void checkLabelCount(TReadGraphFile& Reader, int64_t count) {
    if (count > int64_t(MaxGraphLabels)) Reader.RaiseLoadError();
}

void readLabelListV1(TReadGraphFile& Reader, const TLabelBmpAttribs& BmpAttribs,
                     TSequenceList<TDrawBaseClass>& List) {
    const int count = static_cast<int16_t>(Reader.ReadWord());
    checkLabelCount(Reader, count);
    for (int i = 0; i < count; ++i) {
        uint8_t kind = 0;
        Reader.ReadRecord(&kind, 1);
        // The first version had no free hands, and kept its flood fills apart.
        if (kind == lkFloodFill || kind == lkFreeHand) Reader.RaiseLoadError();
        readOneLabel(Reader, BmpAttribs, List, kind);
    }
    const int fillCount = static_cast<int16_t>(Reader.ReadWord());
    checkLabelCount(Reader, int64_t(std::max(count, 0)) + fillCount);
    for (int i = 0; i < fillCount; ++i)
        readOneLabel(Reader, BmpAttribs, List, lkFloodFill);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TDrawFloodFill

void TDrawFloodFill::WriteToGraphFile(TWriteGraphFile& Writer) const {
    writeTag(Writer, lkFloodFill);
    TRecordBuilder rec(kFloodFillSize);
    rec.SetByte(0, BrushStyle);
    setPoint(rec, 1, Location);
    rec.SetColor(9, FillColor);
    rec.WriteTo(Writer);
}

void TDrawFloodFill::ReadFromGraphFile(TReadGraphFile& Reader, const TLabelBmpAttribs& BmpAttribs) {
    Modified = true;
    if (isFirstVersion(Reader)) {
        TRecordReader rec(Reader, kFloodFillV1Size);
        Location = pointV1At(rec, 0);
        FillColor = rec.Color(4);
        BrushStyle = rec.Byte(8);
        return;
    }
    TRecordReader rec(Reader, kFloodFillSize);
    BrushStyle = rec.Byte(0);
    Location = pointAt(rec, 1);
    FillColor = rec.Color(9);
}

// ---------------------------------------------------------------------------------------------
// TDrawShape

void TDrawShape::writeShapeFields(TWriteGraphFile& Writer) const {
    TRecordBuilder rec(kShapeFieldsSize);
    rec.SetByte(0, PenStyle);
    rec.SetColor(1, PenColor);
    rec.SetInt32(5, PenWidth);
    rec.SetColor(9, BrushColor);
    rec.SetByte(13, BrushStyle);
    setPoint(rec, 14, P1);
    setPoint(rec, 22, P2);
    rec.WriteTo(Writer);
}

void TDrawShape::readShapeFields(TReadGraphFile& Reader) {
    TRecordReader rec(Reader, kShapeFieldsSize);
    PenStyle = rec.Byte(0);
    PenColor = rec.Color(1);
    PenWidth = rec.Int32(5);
    BrushColor = rec.Color(9);
    BrushStyle = rec.Byte(13);
    P1 = pointAt(rec, 14);
    P2 = pointAt(rec, 22);
}

void TDrawShape::readShapeFieldsV1(TReadGraphFile& Reader) {
    TRecordReader rec(Reader, kShapeFieldsV1Size);
    PenStyle = rec.Byte(0); // two bytes after the style held nothing
    PenColor = rec.Color(3);
    PenWidth = rec.Int16(7);
    P1 = pointV1At(rec, 9);
    P2 = pointV1At(rec, 13);
}

// ---------------------------------------------------------------------------------------------
// TDrawInclosedShape, TDrawLine

void TDrawInclosedShape::WriteToGraphFile(TWriteGraphFile& Writer) const {
    // A kind byte that is no shape was drawn as a rectangle, and is stored as one.
    writeTag(Writer, ShapeKind == lkEllipse || ShapeKind == lkRoundRect ? ShapeKind : uint8_t(lkRectangle));
    writeShapeFields(Writer);
}

void TDrawInclosedShape::ReadFromGraphFile(TReadGraphFile& Reader, const TLabelBmpAttribs& BmpAttribs) {
    Modified = true;
    if (isFirstVersion(Reader))
        readShapeFieldsV1(Reader);
    else
        readShapeFields(Reader);
}

void TDrawLine::WriteToGraphFile(TWriteGraphFile& Writer) const {
    writeTag(Writer, lkLine);
    writeShapeFields(Writer);
}

void TDrawLine::ReadFromGraphFile(TReadGraphFile& Reader, const TLabelBmpAttribs& BmpAttribs) {
    Modified = true;
    if (isFirstVersion(Reader))
        readShapeFieldsV1(Reader);
    else
        readShapeFields(Reader);
}

// ---------------------------------------------------------------------------------------------
// TDrawFreeHand

void TDrawFreeHand::WriteToGraphFile(TWriteGraphFile& Writer) const {
    writeTag(Writer, lkFreeHand);
    // The counts are those of the points held, so that what is written always reads back.
    const int points = StoredPointCount();
    const int blocks = (points + TFreeHandBlock::Capacity - 1) / TFreeHandBlock::Capacity;
    const int last = points - (blocks > 0 ? (blocks - 1) * TFreeHandBlock::Capacity : 0);
    TRecordBuilder head(kFreeHandHeadSize);
    setBounds(head, 0, Bounds);
    head.SetInt32(16, points);
    head.SetInt32(20, blocks);
    head.SetInt32(24, last);
    head.WriteTo(Writer);
    for (int b = 0; b < blocks; ++b)
        writeBlock(Writer, blocks_[static_cast<std::size_t>(b)],
                   b + 1 < blocks ? TFreeHandBlock::Capacity : last);
    writeShapeFields(Writer);
}

void TDrawFreeHand::ReadFromGraphFile(TReadGraphFile& Reader, const TLabelBmpAttribs& BmpAttribs) {
    Modified = true;
    QX_ASSERT(PointCount == 0 && StoredPointCount() == 0,
              "Error in DrawObjs: TDrawFreeHand.ReadFromGraphFile needs a new label");
    TRecordReader head(Reader, kFreeHandHeadSize);
    const TFreeHandBounds bounds = boundsAt(head, 0);
    const int32_t pointCount = head.Int32(16);
    const int32_t blockCount = head.Int32(20);
    const int32_t lastBlockCount = head.Int32(24);
    // Counts that disagree would let drawing, hit tests and saving run past the points.
    if (!freeHandCountsAgree(pointCount, blockCount, lastBlockCount)) Reader.RaiseLoadError();
    std::vector<TFreeHandBlock> blocks;
    blocks.reserve(static_cast<std::size_t>(blockCount));
    for (int32_t b = 0; b < blockCount; ++b)
        blocks.push_back(readBlock(Reader, b + 1 < blockCount ? TFreeHandBlock::Capacity : lastBlockCount));
    readShapeFields(Reader);
    const bool taken = AssignCurve(std::move(blocks), bounds, pointCount, lastBlockCount);
    QX_ASSERT(taken, "Error in DrawObjs: TDrawFreeHand.ReadFromGraphFile counts");
}

// ---------------------------------------------------------------------------------------------
// TDrawText

void TDrawText::WriteToGraphFile(TWriteGraphFile& Writer) const {
    writeTag(Writer, lkText);
    Writer.WriteString(Text);
    Writer.WriteFont(Font);
    Writer.WritePoint(P1);
    Writer.WritePoint(P2);
}

void TDrawText::ReadFromGraphFile(TReadGraphFile& Reader, const TLabelBmpAttribs& BmpAttribs) {
    Modified = true;
    if (isFirstVersion(Reader)) {
        TRecordReader rec(Reader, 8);
        P1 = pointV1At(rec, 0); // the stored P2 is measured anew below
        Text = Reader.ReadShortString(255);
        Reader.ReadFontV1(Font);
    } else {
        Text = Reader.ReadString();
        Reader.ReadFont(Font);
        Reader.ReadPoint(P1);
        TPoint storedP2;
        Reader.ReadPoint(storedP2);
    }
    // As the editor and the text dialog would take it. Each character of the file is one
    // UTF-16 unit.
    if (Text.size() > size_t(MaxLabelTextLength))
        Text = QString::fromStdString(Text).left(MaxLabelTextLength).toStdString();
    // The font the file names may be missing here or measure differently.
    P2 = CalcTextExtent(P1, Text, Font);
    KeepOnBitmap(BmpAttribs);
}

// ---------------------------------------------------------------------------------------------
// The list

std::unique_ptr<TDrawBaseClass> NewLabelOfKind(int32_t Kind) {
    switch (Kind) {
    case lkLine:
        return std::make_unique<TDrawLine>();
    case lkFloodFill:
        return std::make_unique<TDrawFloodFill>();
    case lkRectangle:
    case lkEllipse:
    case lkRoundRect:
        return std::make_unique<TDrawInclosedShape>(static_cast<uint8_t>(Kind));
    case lkText:
        return std::make_unique<TDrawText>();
    case lkFreeHand:
        return std::make_unique<TDrawFreeHand>();
    default:
        return nullptr;
    }
}

void WriteLabelList(TWriteGraphFile& Writer, const TSequenceList<TDrawBaseClass>& List) {
    const auto count = std::count_if(List.begin(), List.end(), [](const auto& l) { return l != nullptr; });
    Writer.WriteInteger(static_cast<int32_t>(count));
    for (const auto& label : List)
        if (label) label->WriteToGraphFile(Writer);
}

void ReadLabelList(TReadGraphFile& Reader, const TLabelBmpAttribs& BmpAttribs,
                   TSequenceList<TDrawBaseClass>& List) {
    if (isFirstVersion(Reader)) {
        readLabelListV1(Reader, BmpAttribs, List);
        return;
    }
    const int32_t count = Reader.ReadInteger();
    checkLabelCount(Reader, count);
    for (int32_t i = 0; i < count; ++i)
        readOneLabel(Reader, BmpAttribs, List, Reader.ReadInteger());
}
