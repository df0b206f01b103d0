#include "model/W32_asm.h"

namespace {
// Sums wrap around in 32 bits as the fixed-point machine arithmetic does; signed overflow
// would be undefined, so they go through unsigned.
inline int32_t wrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(uint32_t(a) + uint32_t(b));
}
inline int32_t wrapSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(uint32_t(a) - uint32_t(b));
}
} // namespace

void TransformVertices(TVertex3D* Vertices, int32_t Count, int32_t Scale, int32_t CentreX, int32_t CentreY,
                       int32_t CosX, int32_t CosY, int32_t CosZ, int32_t SinX, int32_t SinY, int32_t SinZ) {
    for (int32_t i = 0; i < Count; ++i) {
        TVertex3D& v = Vertices[i];
        const int32_t y1 = wrapSub(FixedMul(v.Y, CosX), FixedMul(v.Z, SinX));
        const int32_t z1 = wrapAdd(FixedMul(v.Y, SinX), FixedMul(v.Z, CosX));
        const int32_t x2 = wrapAdd(FixedMul(v.X, CosY), FixedMul(z1, SinY));
        v.Depth = wrapSub(FixedMul(z1, CosY), FixedMul(v.X, SinY));
        const int32_t x3 = wrapSub(FixedMul(x2, CosZ), FixedMul(y1, SinZ));
        const int32_t y3 = wrapAdd(FixedMul(SinZ, x2), FixedMul(y1, CosZ));
        v.ScreenY = wrapSub(CentreY, FixedMul(y3, Scale));
        v.ScreenX = wrapAdd(FixedMul(x3, Scale), CentreX);
    }
}
