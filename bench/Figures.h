#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tabula::bench {

// One measured figure, printed as "name: value unit".
struct Figure {
    std::string name;
    std::string unit;
    std::function<double()> measure;
};

// Each figures file adds its own.
void AddDrawingFigures(std::vector<Figure>& figures);
void AddCoreFigures(std::vector<Figure>& figures);
void AddRenderFigures(std::vector<Figure>& figures);

// The best (smallest) time of `body` in milliseconds over `rounds` runs of `repeat` calls.
double BestMilliseconds(int rounds, int repeat, const std::function<void()>& body);

// Runs `body` over and over for `span`, untimed.
void WarmUp(std::chrono::milliseconds span, const std::function<void()>& body);

// Keeps the compiler from optimising away a result.
void Consume(const void* p);

}  // namespace tabula::bench
