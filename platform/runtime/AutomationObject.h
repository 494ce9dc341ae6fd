#pragma once

namespace tabula {

// What a Variant holds as an object: anything scripts reach through automation. The
// automation layer derives its dispatch interface from this; the runtime needs nothing
// more than identity and lifetime.
class AutomationObject {
public:
    virtual ~AutomationObject() = default;

protected:
    AutomationObject() = default;
    AutomationObject(const AutomationObject&) = default;
    AutomationObject& operator=(const AutomationObject&) = default;
};

}  // namespace tabula
