#include "math/DefFont.h"

#include "platform/Errors.h"

TFontRecord TDefaultFontHolder::GetFontCopy() const {
    std::lock_guard<std::mutex> guard(lock_);
    return font_;
}

void TDefaultFontHolder::GetFontAttributes(TFontRecord* Font) const {
    QX_ASSERT(Font != nullptr, "Null value in TDefaultFontHolder.GetFontAttributes()");
    std::lock_guard<std::mutex> guard(lock_);
    *Font = font_;
}

void TDefaultFontHolder::SetFontAttributes(const TFontRecord* Font) {
    QX_ASSERT(Font != nullptr, "Null value in TDefaultFontHolder.SetFontAttributes()");
    TFontRecord copy = *Font;
    std::lock_guard<std::mutex> guard(lock_);
    font_ = std::move(copy);
}

void TDefaultFontHolder::ResetFont() {
    TFontRecord fresh;
    std::lock_guard<std::mutex> guard(lock_);
    font_ = std::move(fresh);
}

TDefaultFontHolder& DefaultFontHolder() {
    static TDefaultFontHolder holder;
    return holder;
}

TFontRecord GetDefaultFont() {
    return DefaultFontHolder().GetFontCopy();
}
