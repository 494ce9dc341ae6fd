#pragma once

#include <algorithm>
#include <cstdint>

namespace tabula {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int32_t cx = 0;
    int32_t cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle whose right and bottom edges are exclusive, as every drawing call takes it.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // Widths in 64 bits: a rectangle may span the whole 32-bit range.
    int64_t Width() const { return int64_t{right} - left; }
    int64_t Height() const { return int64_t{bottom} - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int32_t x, int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The rectangle left x, top y, right x + w, bottom y + h, saturated to the 32-bit range.
inline Rect MakeRectFromSize(int32_t x, int32_t y, int32_t w, int32_t h) {
    auto saturate = [](int64_t v) {
        return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return Rect{x, y, saturate(int64_t{x} + w), saturate(int64_t{y} + h)};
}

// The common part of two rectangles; empty rectangles come back with zero size.
inline Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.IsEmpty()) return Rect{r.left, r.top, r.left, r.top};
    return r;
}

}  // namespace tabula
