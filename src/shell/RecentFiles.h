#pragma once
// The recent-file list of the File menu: at most five graph files, the newest first. A file
// goes on the list when its window closes and comes off when it is opened from the list.
// The list lasts while the program runs; it is not stored.

#include <array>
#include <string>

class TRecentFiles {
public:
    static constexpr int MaxCount = 5;

    int Count() const { return count_; }
    // Entry J (1..Count), the newest being 1; empty outside that range.
    const std::string& Path(int J) const;

    // Puts Path on top as an absolute path; the fifth entry drops off. An empty path or one
    // already on the list changes nothing (the list keeps its order): false then.
    bool Add(const std::string& Path);
    // Takes entry J off; the later entries move up. False when J is not an entry.
    bool Remove(int J);

    // The menu caption of a path: its file name without the folder.
    static std::string Caption(const std::string& Path);

private:
    int count_ = 0;
    std::array<std::string, MaxCount> paths_;
};
