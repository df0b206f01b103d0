#pragma once
// What the "Edit Label List" dialog does, without its window. It shows one line per label
// of a graph and lets the user reorder, modify and delete them; nothing but the labels
// themselves changes before OK. OK puts the list in the order of the lines, without the
// deleted labels, which are freed then; Cancel leaves the list as it was.

#include "labels/DrawObjs.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class TLabelListLogic {
public:
    // Borrows List for the life of the object.
    explicit TLabelListLogic(TSequenceList<TDrawBaseClass>& List);

    int Count() const { return static_cast<int>(lines_.size()); }
    // The label of a line (null for no line), and its line text.
    TDrawBaseClass* LabelAt(int Line) const;
    std::string LineText(int Line) const;
    std::vector<std::string> LineTexts() const;
    bool Changed() const { return changed_; }
    // A label was changed through Modify; that stays even when the dialog is cancelled.
    bool LabelsModified() const { return labelsModified_; }

    // Runs Modify (the label's modify dialog) on a line's label. When it answers true the
    // list is changed and the line's text is refreshed; a text label left with an empty
    // text is taken out of the list like a deleted one. Returns the line to select then.
    int ModifyLine(int Line, const std::function<bool(TDrawBaseClass&)>& Modify);
    // Takes a line out; its label is freed at Accept. Returns the line to select: the same
    // index, or the new last line when the last was deleted (-1 when none is left).
    int DeleteLine(int Line);
    // Exchanges a line with the next or the previous one; returns where the line went (the
    // same line at either end of the list).
    int MoveLineDown(int Line);
    int MoveLineUp(int Line);

    // OK: when changed, the list takes the labels of the remaining lines in their order and
    // the deleted ones are freed. Returns Changed().
    bool Accept();
    // Cancel: nothing is freed and the list keeps its order. A text emptied through Modify
    // gets its text back, so that no text label is left without text.
    void Cancel();

private:
    TSequenceList<TDrawBaseClass>& list_;
    std::vector<TDrawBaseClass*> lines_;
    std::vector<TDrawBaseClass*> deleted_;
    std::vector<std::pair<TDrawText*, std::string>> emptied_; // with the text they had
    bool changed_ = false;
    bool labelsModified_ = false;
};
