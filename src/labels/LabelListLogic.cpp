#include "labels/LabelListLogic.h"

#include <algorithm>
#include <utility>

TLabelListLogic::TLabelListLogic(TSequenceList<TDrawBaseClass>& List) : list_(List) {
    for (const auto& label : list_)
        if (label) lines_.push_back(label.get());
}

TDrawBaseClass* TLabelListLogic::LabelAt(int Line) const {
    if (Line < 0 || Line >= Count()) return nullptr;
    return lines_[static_cast<std::size_t>(Line)];
}

std::string TLabelListLogic::LineText(int Line) const {
    const TDrawBaseClass* label = LabelAt(Line);
    return label ? label->GetDescription() : std::string();
}

std::vector<std::string> TLabelListLogic::LineTexts() const {
    std::vector<std::string> texts;
    texts.reserve(lines_.size());
    for (const TDrawBaseClass* label : lines_)
        texts.push_back(label->GetDescription());
    return texts;
}

int TLabelListLogic::ModifyLine(int Line, const std::function<bool(TDrawBaseClass&)>& Modify) {
    TDrawBaseClass* label = LabelAt(Line);
    if (!label) return Line;
    auto* text = dynamic_cast<TDrawText*>(label);
    const std::string textBefore = text ? text->Text : std::string();
    if (!Modify(*label)) return Line;
    changed_ = true;
    labelsModified_ = true;
    // A text label without text shows nothing and could not be found again.
    if (text && text->Text.empty()) {
        emptied_.emplace_back(text, textBefore);
        return DeleteLine(Line);
    }
    return Line;
}

int TLabelListLogic::DeleteLine(int Line) {
    TDrawBaseClass* label = LabelAt(Line);
    if (!label) return Line;
    deleted_.push_back(label);
    lines_.erase(lines_.begin() + Line);
    changed_ = true;
    return std::min(Line, Count() - 1);
}

int TLabelListLogic::MoveLineDown(int Line) {
    if (Line < 0 || Line + 1 >= Count()) return Line;
    std::swap(lines_[static_cast<std::size_t>(Line)], lines_[static_cast<std::size_t>(Line) + 1]);
    changed_ = true;
    return Line + 1;
}

int TLabelListLogic::MoveLineUp(int Line) {
    if (Line < 1 || Line >= Count()) return Line;
    std::swap(lines_[static_cast<std::size_t>(Line)], lines_[static_cast<std::size_t>(Line) - 1]);
    changed_ = true;
    return Line - 1;
}

bool TLabelListLogic::Accept() {
    if (!changed_) return false;
    TSequenceList<TDrawBaseClass> ordered;
    ordered.reserve(lines_.size());
    for (TDrawBaseClass* label : lines_) {
        auto owner =
            std::find_if(list_.begin(), list_.end(), [&](const auto& p) { return p.get() == label; });
        ordered.push_back(std::move(*owner));
    }
    // What is left in the old list are the deleted labels: they go with it.
    list_.swap(ordered);
    deleted_.clear();
    emptied_.clear();
    return true;
}

void TLabelListLogic::Cancel() {
    for (auto& [text, before] : emptied_)
        text->SetText(text->P1, before, nullptr);
    emptied_.clear();
    deleted_.clear();
}
