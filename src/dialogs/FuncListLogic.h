#pragma once
// What the function list dialog does, without its window: the rows (a description and the
// graph's function it stands for), the selection, and the edits the user makes: modify a
// function in place, delete rows, move rows up and down. Deletions and moves live only in
// the rows until the graph's list takes them on OK; a modification is made to the graph's
// function at once and stays, whatever the dialog ends with.

#include "model/SeqList.h"
#include "model/funcobj.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TFuncListLogic {
public:
    struct TRow {
        std::string Text;
        TBaseFuncObj* Func; // the graph's object; the rows own none
    };

    std::vector<TRow> Rows;
    int ItemIndex = -1;                      // the selected row, -1 for none
    std::vector<TBaseFuncObj*> DeletionList; // in the order of deletion
    bool FuncModified = false;
    bool FuncDeleted = false;
    bool FuncMoved = false;

    // One row per function of List, in list order; row 0 selected when there is one.
    void Fill(const TSequenceList<TBaseFuncObj>& List);
    // Runs Launch on the selected row's function; when it reports a change the row shows
    // the new description and stays selected. True when the function changed.
    bool Modify(const std::function<bool(TBaseFuncObj&)>& Launch);
    // Removes the selected row into the deletion list; the row at the same index, or the
    // new last row, is selected afterwards. False without a selected row.
    bool Delete();
    // Swap the selected row with its neighbour; the selection follows. False at the ends.
    bool MoveUp();
    bool MoveDown();
    // The special x values the graph's functions other than Func hold. The deleted ones
    // count too: a Cancel brings them back, and a modification stays whatever the dialog
    // ends with.
    int64_t SpecialValuesBesides(const TBaseFuncObj& Func) const;
    // After OK with a deletion or a move: List holds the rows' functions top to bottom and
    // the deleted ones are freed. Nothing happens otherwise.
    void ApplyTo(TSequenceList<TBaseFuncObj>& List) const;

private:
    bool hasSelection() const { return ItemIndex >= 0 && ItemIndex < int(Rows.size()); }
};
