#pragma once

// One recorder for every event the grid raises, each as "Name arg arg ...", with a veto
// responder: it gives back a Cancel and a replacement KeyAscii when told to.

#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "grid/Events.h"

namespace tabula::test {

using Log = std::vector<std::string>;

class EventRecorder : public EventSink {
public:
    // Events left out of the log (mouse moves come by the dozen).
    std::set<std::string> skip{"MouseMove"};
    // What the handlers set Cancel to (BeforeEdit, BeforeAddRow, BeforeDeleteRow).
    bool cancel = false;
    // What KeyPress handlers set KeyAscii to, when set.
    std::optional<int16_t> keyAscii;
    // Code run by the handler of the named event, after it is logged (a handler that
    // writes to the grid, moves the keyboard, and so on).
    std::map<std::string, std::function<void()>> handlers;

    // The log since the last call.
    Log Take() {
        Log taken;
        taken.swap(seen_);
        return taken;
    }

    void OnEvent(const EventInfo& event, std::vector<Variant>& args) override {
        std::string line = event.name;
        for (size_t i = 0; i < args.size() && i < event.parameters.size(); ++i) {
            const std::string& param = event.parameters[i].name;
            if (param == "Cancel") {
                args[i] = Variant(cancel);
                continue;
            }
            if (param == "KeyAscii" && keyAscii) {
                line.append(1, ' ').append(args[i].ToText());
                args[i] = Variant(*keyAscii);
                continue;
            }
            // Pointer positions arrive as floats: whole pixels are enough to check.
            const bool number = args[i].Type() == VariantType::Double;
            line.append(1, ' ').append(number ? std::to_string(std::lround(args[i].ToDouble()))
                                              : args[i].ToText());
        }
        if (!skip.count(event.name)) seen_.push_back(line);
        if (auto handler = handlers.find(event.name); handler != handlers.end()) handler->second();
    }

private:
    Log seen_;
};

}  // namespace tabula::test
