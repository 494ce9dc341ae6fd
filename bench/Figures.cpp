#include "bench/Figures.h"

#include <algorithm>
#include <chrono>
#include <limits>

namespace tabula::bench {

double BestMilliseconds(int rounds, int repeat, const std::function<void()>& body) {
    double best = std::numeric_limits<double>::max();
    for (int r = 0; r < rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < repeat; ++i)
            body();
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count() / repeat);
    }
    return best;
}

void WarmUp(std::chrono::milliseconds span, const std::function<void()>& body) {
    const auto until = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < until)
        body();
}

void Consume(const void* p) {
    asm volatile("" : : "g"(p) : "memory");
}

}  // namespace tabula::bench
