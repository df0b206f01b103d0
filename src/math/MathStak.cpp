#include "math/MathStak.h"

#include "platform/Errors.h"

#include <algorithm>

void ClearTokenRec(TMathTokenRec& Rec) {
    Rec = TMathTokenRec{};
}

void TMathTokenArrayStackObj::EnsureCapacity() {
    const std::int32_t capacity = Capacity();
    if (Count < capacity) return;
    std::int32_t step;
    if (capacity <= 64)
        step = 8;
    else if (capacity <= 128)
        step = 16;
    else if (capacity <= 512)
        step = 32;
    else if (capacity <= 1024)
        step = 64;
    else
        step = 128;
    Items.resize(static_cast<std::size_t>(capacity + step));
}

// Pushing is inserting at the end.
void TMathTokenArrayStackObj::PushBlankRecord() {
    InsertBlankRecord(Count);
}

void TMathTokenArrayStackObj::PushFields(TMathStepCode Operation, TMathFunction* Owner,
                                         TMathTokenType TokenType, std::int32_t VarIndex,
                                         std::int32_t CharPos, const TMathValue& Value) {
    InsertFields(Count, Operation, Owner, TokenType, VarIndex, CharPos, Value);
}

void TMathTokenArrayStackObj::PushTokenRec(const TMathTokenRec& Rec) {
    const TMathTokenRec copy = Rec; // Rec may live in Items, which may move
    EnsureCapacity();
    Items[Count] = copy;
    ++Count;
}

void TMathTokenArrayStackObj::PopTokenRec(TMathTokenRec& Rec) {
    QX_ASSERT(Count > 0, "Error in procedure TMathTokenArrayStackObj.PopTokenRec");
    --Count;
    Rec = Items[Count];
}

void TMathTokenArrayStackObj::Delete(std::int32_t Position, std::int32_t RecCount) {
    QX_ASSERT(Position >= 0 && Position < Count,
              "invalid Position parameter in procedure TMathTokenArrayStackObj.Delete");
    QX_ASSERT(RecCount >= 1, "invalid RecCount parameter in procedure TMathTokenArrayStackObj.Delete");
    if (RecCount >= Count - Position) {
        Count = Position;
        return;
    }
    std::move(Items.begin() + Position + RecCount, Items.begin() + Count, Items.begin() + Position);
    Count -= RecCount;
}

void TMathTokenArrayStackObj::InsertBlankRecord(std::int32_t Position) {
    QX_ASSERT(Position >= 0 && Position <= Count,
              "invalid position parameter in procedure TMathTokenArrayStackObj.InsertBlankRecord");
    EnsureCapacity();
    std::move_backward(Items.begin() + Position, Items.begin() + Count, Items.begin() + Count + 1);
    ++Count;
    ClearTokenRec(Items[Position]);
}

void TMathTokenArrayStackObj::InsertFields(std::int32_t Position, TMathStepCode Operation,
                                           TMathFunction* Owner, TMathTokenType TokenType,
                                           std::int32_t VarIndex, std::int32_t CharPos,
                                           const TMathValue& Value) {
    QX_ASSERT(Position >= 0 && Position <= Count,
              "invalid position parameter in procedure TMathTokenArrayStackObj.InsertFields");
    const TMathValue value = Value;
    EnsureCapacity();
    std::move_backward(Items.begin() + Position, Items.begin() + Count, Items.begin() + Count + 1);
    ++Count;
    TMathTokenRec& rec = Items[Position];
    rec.Operation = {Operation, Owner};
    rec.TokenType = TokenType;
    rec.VarIndex = VarIndex;
    rec.CharPos = CharPos;
    rec.Value = value;
}

void TMathTokenArrayStackObj::Clear() {
    Count = 0;
    TMathTokenArray().swap(Items);
}

void TMathTokenArrayStackObj::CopyToArray(TMathTokenArray& Dest) const {
    Dest.clear();
    Dest.assign(Items.begin(), Items.begin() + Count);
}

void TMathTokenArrayStackObj::SetInitialCapacity(std::int32_t N) {
    QX_ASSERT(N >= 0, "Invalid parameter in procedure TMathTokenArrayStackObj.SetInitialCapacity()");
    if (N != Capacity() && N >= Count) Items.resize(static_cast<std::size_t>(N));
}
