// A form file's text, read and placed on a fresh headless form with its grids. Errors the
// runtime raises for a damaged file are expected. Whatever reads must save again, to a
// text that reads back and saves as the same text; a loaded form must be consistent and
// save too.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/Tabula.h"
#include "fuzz/FuzzGrid.h"
#include "platform/container/ControlContainer.h"
#include "platform/container/ControlRegistry.h"
#include "platform/container/FormFile.h"
#include "platform/forms/Form.h"
#include "platform/runtime/Error.h"

using namespace tabula;

namespace {

// A loaded grid reads its settings from the file, refusing what it cannot take.
const ControlRegistry& Registry() {
    static const ControlRegistry registry = [] {
        ControlRegistry r;
        r.Register("Tabula.Grid", [](HWND parent) {
            return std::make_unique<Tabula>(parent, Rect{0, 0, 200, 150});
        });
        return r;
    }();
    return registry;
}

[[noreturn]] void Finding(const char* what, const std::string& detail) {
    fuzz::Finding(std::string(what) + ": " + detail);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FormDescription description;
    try {
        description = FormFromJson(text);
    } catch (const RuntimeError&) {
        return 0;
    }
    std::string saved;
    try {
        saved = FormToJson(description);
    } catch (const RuntimeError& error) {
        Finding("a form that reads does not save", error.description);
    }
    try {
        if (FormToJson(FormFromJson(saved)) != saved)
            Finding("a saved form saves otherwise when read back", saved);
    } catch (const RuntimeError& error) {
        Finding("a saved form does not read back", error.description);
    }

    fuzz::DesktopLease lease;
    Form form(Rect{0, 0, 200, 150}, "fuzz");
    ControlContainer container(form);
    try {
        container.Load(description, Registry());
    } catch (const RuntimeError&) {
        return 0;
    }
    for (Site* site : container.Sites()) {
        if (auto* grid = dynamic_cast<Tabula*>(&site->GetControl()))
            fuzz::ExpectConsistent(*grid, "loading");
    }

    // What loaded saves again, and the saved text reads back, and the form it describes
    // loads to the same settings: nothing refused the first time is refused again.
    FormDescription again;
    try {
        saved = FormToJson(container.Describe());
    } catch (const RuntimeError& error) {
        Finding("a loaded form does not save", error.description);
    }
    try {
        again = FormFromJson(saved);
    } catch (const RuntimeError& error) {
        Finding("a saved form does not read back", error.description);
    }
    Form second(Rect{0, 0, 200, 150}, "fuzz");
    ControlContainer reloaded(second);
    try {
        reloaded.Load(again, Registry());
    } catch (const RuntimeError& error) {
        Finding("a saved form does not load", error.description);
    }
    if (!reloaded.Refusals().empty())
        Finding("a saved setting is refused", reloaded.Refusals().front().key);
    if (FormToJson(reloaded.Describe()) != saved)
        Finding("a saved form loads to other settings", saved);
    return 0;
}
