#pragma once
// Edit-on-a-copy lists.
//
// The GUI thread edits one list (the source: the controller's functions, the master label
// list); the drawing side keeps its own objects (the destination). AssignSequenceLists
// brings the destination in line with the source before each drawing run, reusing the
// destination objects that still have a counterpart and copying only what was changed.
//
// Both lists own their objects through std::unique_ptr, so an object is freed exactly once
// whatever step fails: a failed Clone or Assign can neither leak a half-made copy nor leave
// the destination pointing at freed objects.

#include "platform/Errors.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

class TSequenceListObj {
public:
    TSequenceListObj() = default;
    virtual ~TSequenceListObj();

    // Position of this element's counterpart in the destination list; -1 while it has none.
    int32_t Index = -1;
    // Changed since the last synchronisation; whoever edits the element sets it.
    bool Modified = false;

    // A new object of the same class with the defaults of its constructor.
    virtual std::unique_ptr<TSequenceListObj> Clone() const = 0;
    // Copies every field of Source, which must be of this object's class (EConvertError
    // "Invalid class typecast" otherwise, with nothing copied).
    virtual void Assign(const TSequenceListObj& Source) = 0;

protected:
    // Descendants may copy themselves; copying through the base would slice.
    TSequenceListObj(const TSequenceListObj&) = default;
    TSequenceListObj& operator=(const TSequenceListObj&) = default;
};

// The class check at the start of every Assign.
template <class T> const T& SequenceSourceAs(const TSequenceListObj& Source) {
    const T* typed = dynamic_cast<const T*>(&Source);
    if (!typed) throw EConvertError("Invalid class typecast");
    return *typed;
}

// A list of owned elements; nil entries (empty pointers) are allowed and are dropped by
// the synchronisation.
template <class T> using TSequenceList = std::vector<std::unique_ptr<T>>;

namespace seqlist_detail {

template <class T> std::unique_ptr<T> cloneAndAssign(const T& source) {
    std::unique_ptr<TSequenceListObj> made = source.Clone();
    QX_ASSERT(made != nullptr && dynamic_cast<T*>(made.get()) != nullptr,
              "List Object is not of type TSequenceListObj");
    std::unique_ptr<T> copy(static_cast<T*>(made.release()));
    copy->Assign(source); // on failure the half-made copy is freed on the way out
    return copy;
}

template <class T> bool inStep(const TSequenceList<T>& destination, const TSequenceList<T>& source) {
    if (destination.size() != source.size()) return false;
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (!source[i] || !destination[i]) return false;
        if (source[i]->Modified) return false;
        if (source[i]->Index != static_cast<int32_t>(i)) return false;
        if (destination[i]->Index != static_cast<int32_t>(i)) return false;
    }
    return true;
}

} // namespace seqlist_detail

// For each position whose source element is modified, the destination element takes the
// source's fields and the source's flag is cleared.
template <class T>
void AssignObjectListFields(TSequenceList<T>& DestinationList, TSequenceList<T>& SourceList) {
    QX_ASSERT(DestinationList.size() == SourceList.size(), "Error in procedure AssignObjectListFields");
    for (std::size_t i = 0; i < SourceList.size(); ++i) {
        if (!SourceList[i]->Modified) continue;
        DestinationList[i]->Assign(*SourceList[i]);
        SourceList[i]->Modified = false;
    }
}

// Brings DestinationList in line with SourceList. True when anything had to be done, false
// when the lists were already in step (nothing touched then). Nil entries of the source
// are removed. When a step fails, the destination is emptied (its objects freed) and the
// exception passes on; the source keeps its elements.
template <class T> bool AssignSequenceLists(TSequenceList<T>& DestinationList, TSequenceList<T>& SourceList) {
    static_assert(std::is_base_of_v<TSequenceListObj, T>, "list elements must be TSequenceListObj");
    using seqlist_detail::cloneAndAssign;

    if (seqlist_detail::inStep(DestinationList, SourceList)) return false;

    try {
        // A nil destination entry means the destination cannot be trusted: rebuild it all.
        for (const auto& d : DestinationList)
            if (!d) {
                DestinationList.clear();
                break;
            }

        std::erase_if(SourceList, [](const std::unique_ptr<T>& s) { return !s; });

        if (SourceList.empty()) {
            DestinationList.clear();
            return true;
        }

        const std::size_t sourceCount = SourceList.size();
        std::size_t addedToEndCount = 0;
        for (std::size_t i = sourceCount; i-- > 0 && SourceList[i]->Index == -1;)
            ++addedToEndCount;

        const std::size_t keptCount = sourceCount - addedToEndCount;
        bool rebuild = keptCount != DestinationList.size();
        for (std::size_t i = 0; !rebuild && i < keptCount; ++i)
            if (SourceList[i]->Index != static_cast<int32_t>(i)) rebuild = true;

        if (rebuild) {
            // TTmpReorderArray: the destination objects in their new order.
            TSequenceList<T> reordered(sourceCount);
            for (std::size_t i = 0; i < sourceCount; ++i) {
                T& s = *SourceList[i];
                const int32_t x = s.Index;
                if (x < 0 || static_cast<std::size_t>(x) >= DestinationList.size() || !DestinationList[x]) {
                    reordered[i] = cloneAndAssign(s);
                    s.Modified = false;
                } else {
                    reordered[i] = std::move(DestinationList[x]); // taken; a second claimant clones
                }
            }
            // Objects left in the old destination had no counterpart; they go with it.
            DestinationList = std::move(reordered);
        } else if (addedToEndCount > 0) {
            QX_ASSERT(sourceCount > 0, "Error in AssignSequenceLists, SourceList.Count <= 0");
            QX_ASSERT(addedToEndCount > 0, "Error in AssignSequenceLists, AddedToEndCount <= 0");
            DestinationList.reserve(DestinationList.size() + addedToEndCount);
            for (std::size_t i = keptCount; i < sourceCount; ++i) {
                T& s = *SourceList[i];
                DestinationList.push_back(cloneAndAssign(s));
                s.Index = static_cast<int32_t>(DestinationList.size() - 1);
                s.Modified = false;
            }
        }

        for (std::size_t i = 0; i < SourceList.size(); ++i)
            SourceList[i]->Index = static_cast<int32_t>(i);
        for (std::size_t i = 0; i < DestinationList.size(); ++i)
            DestinationList[i]->Index = static_cast<int32_t>(i);

        AssignObjectListFields(DestinationList, SourceList);
        return true;
    } catch (...) {
        DestinationList.clear();
        throw;
    }
}
