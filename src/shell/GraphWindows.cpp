#include "shell/GraphWindows.h"

#include "model/FILESAVE.h"
#include "shell/Win2D.h"
#include "shell/Win3D.h"
#include "shell/WinPolar.h"

std::unique_ptr<TWindowBase> CreateGraphWindow(int32_t GraphKind) {
    switch (GraphKind) {
    case GraphKind2D:
        return std::make_unique<TWindow2D>();
    case GraphKindPolar:
        return std::make_unique<TWindowPolar>();
    case GraphKind3D:
        return std::make_unique<TWindow3D>();
    default:
        return nullptr;
    }
}
