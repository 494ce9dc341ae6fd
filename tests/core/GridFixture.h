#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "core/Tabula.h"
#include "hosts/headless/HeadlessHost.h"
#include "platform/container/ControlContainer.h"
#include "platform/forms/Form.h"
#include "tests/platform/RaisedError.h"

namespace tabula::test {

// A grid of 400 x 300 pixels on a headless form, placed in a container as a new instance.
// The data-cell colours are shared by the thread, so each test starts them afresh.
class GridTest : public testing::Test {
protected:
    GridTest() {
        container_.Add(grid_, "Tabula.Grid");
        grid_.InitProperties();
        site_ = container_.SiteOf(grid_);
        site_->ClearChangedProperties();
    }

    // The names announced since the last call.
    std::vector<std::string> Announced() {
        std::vector<std::string> names = site_->ChangedProperties();
        site_->ClearChangedProperties();
        return names;
    }

    HeadlessHost host_;
    Form form_{Rect{0, 0, 600, 500}, "Form1"};
    ControlContainer container_{form_};
    Tabula grid_{form_.hWnd(), Rect{10, 10, 410, 310}};
    Site* site_ = nullptr;
};

}  // namespace tabula::test
