#include "dialogs/FuncListLogic.h"

#include "model/func2d.h"

#include <algorithm>
#include <utility>

void TFuncListLogic::Fill(const TSequenceList<TBaseFuncObj>& List) {
    Rows.clear();
    for (const auto& f : List)
        if (f) Rows.push_back({f->GetDescription(), f.get()});
    ItemIndex = Rows.empty() ? -1 : 0;
}

bool TFuncListLogic::Modify(const std::function<bool(TBaseFuncObj&)>& Launch) {
    if (!hasSelection()) return false;
    TRow& row = Rows[std::size_t(ItemIndex)];
    if (!Launch(*row.Func)) return false;
    FuncModified = true;
    row.Text = row.Func->GetDescription();
    return true;
}

int64_t TFuncListLogic::SpecialValuesBesides(const TBaseFuncObj& Func) const {
    int64_t total = 0;
    for (const TRow& row : Rows)
        if (row.Func != &Func) total += SpecialValueCount(*row.Func);
    for (const TBaseFuncObj* f : DeletionList)
        if (f != &Func) total += SpecialValueCount(*f);
    return total;
}

bool TFuncListLogic::Delete() {
    if (!hasSelection()) return false;
    FuncDeleted = true;
    DeletionList.push_back(Rows[std::size_t(ItemIndex)].Func);
    Rows.erase(Rows.begin() + ItemIndex);
    ItemIndex = Rows.empty() ? -1 : std::min(ItemIndex, int(Rows.size()) - 1);
    return true;
}

bool TFuncListLogic::MoveUp() {
    if (!hasSelection() || ItemIndex == 0) return false;
    FuncMoved = true;
    std::swap(Rows[std::size_t(ItemIndex)], Rows[std::size_t(ItemIndex - 1)]);
    --ItemIndex;
    return true;
}

bool TFuncListLogic::MoveDown() {
    if (!hasSelection() || ItemIndex == int(Rows.size()) - 1) return false;
    FuncMoved = true;
    std::swap(Rows[std::size_t(ItemIndex)], Rows[std::size_t(ItemIndex + 1)]);
    ++ItemIndex;
    return true;
}

void TFuncListLogic::ApplyTo(TSequenceList<TBaseFuncObj>& List) const {
    if (!FuncDeleted && !FuncMoved) return;
    TSequenceList<TBaseFuncObj> old = std::move(List);
    List.clear();
    for (const TRow& row : Rows) {
        auto it = std::find_if(old.begin(), old.end(), [&](const auto& f) { return f.get() == row.Func; });
        if (it != old.end()) List.push_back(std::move(*it));
    }
    // What is left in old are the deleted functions; they go with it.
}
