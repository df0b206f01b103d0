#include "shell/RecentFiles.h"

#include <QFileInfo>

#include <algorithm>

namespace {

std::string absolutePath(const std::string& Path) {
    return QFileInfo(QString::fromStdString(Path)).absoluteFilePath().toStdString();
}

} // namespace

const std::string& TRecentFiles::Path(int J) const {
    static const std::string none;
    return J >= 1 && J <= count_ ? paths_[size_t(J - 1)] : none;
}

bool TRecentFiles::Add(const std::string& Path) {
    if (Path.empty()) return false;
    // Stored absolute, so that an entry still opens after the working folder changed.
    const std::string path = absolutePath(Path);
    if (std::find(paths_.begin(), paths_.begin() + count_, path) != paths_.begin() + count_) return false;
    count_ = std::min(count_ + 1, MaxCount);
    std::move_backward(paths_.begin(), paths_.end() - 1, paths_.end());
    paths_[0] = path;
    return true;
}

bool TRecentFiles::Remove(int J) {
    if (J < 1 || J > count_) return false;
    std::move(paths_.begin() + J, paths_.end(), paths_.begin() + J - 1);
    paths_.back().clear();
    --count_;
    return true;
}

std::string TRecentFiles::Caption(const std::string& Path) {
    return QFileInfo(QString::fromStdString(Path)).fileName().toStdString();
}
