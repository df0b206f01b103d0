#pragma once
// The inner loop of every 3D redraw: rotates and projects one run of vertices with
// integer arithmetic only (16.16 fixed point, 64-bit products, 32-bit wrap-around sums).

#include "model/Fg3dline.h"

#include <cstdint>

// m(a, b) = the 64-bit product shifted right arithmetically by 16, cut to 32 bits.
inline int32_t FixedMul(int32_t a, int32_t b) {
    return static_cast<int32_t>((int64_t(a) * int64_t(b)) >> 16);
}

// Projects Count (>= 1) vertices: rotation about X, then Y (giving Depth), then Z, then
// ScreenX = CentreX + m(X, Scale) and ScreenY = CentreY - m(Y, Scale), without perspective.
void TransformVertices(TVertex3D* Vertices, int32_t Count, int32_t Scale, int32_t CentreX, int32_t CentreY,
                       int32_t CosX, int32_t CosY, int32_t CosZ, int32_t SinX, int32_t SinY, int32_t SinZ);
