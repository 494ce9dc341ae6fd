#pragma once

#include <string>
#include <vector>

#include "platform/container/ContainedControl.h"
#include "platform/container/PropertyBag.h"
#include "platform/container/Site.h"
#include "platform/forms/PictureBox.h"
#include "platform/runtime/Error.h"

namespace tabula::test {

// A control that lives in a container the way the grid does: it saves a few typed
// settings with defaults, announces design-time changes and hears ambient changes.
class SampleControl : public PictureBox, public ContainedControl {
public:
    static constexpr const char* kType = "Sample.Box";

    explicit SampleControl(HWND parent) : PictureBox(parent, Rect{0, 0, 40, 20}) {}

    std::string caption = "Sample";
    int32_t count = 5;
    FontDescriptor font;
    PicturePtr icon;
    bool initialised = false;
    std::vector<std::string> ambientChanges;
    // When set, ReadProperties fails as a control with a broken bag would.
    bool failReading = false;

    void SetCount(int32_t value) {
        count = value;
        if (ClientSite()) ClientSite()->PropertyChanged("Count");
    }

    void InitProperties() override {
        initialised = true;
        font = ClientSite()->AmbientFont();
    }
    void ReadProperties(const PropertyBag& bag) override {
        if (failReading) RaiseError(kErrInvalidPropertyValue);
        caption = bag.ReadProperty("Caption", "Sample").ToText();
        count = bag.ReadProperty("Count", 5).ToLong();
        font = bag.ReadFont("Font", ClientSite()->AmbientFont());
        icon = bag.ReadPicture("Icon");
    }
    void WriteProperties(PropertyBag& bag) override {
        bag.WriteProperty("Caption", caption, "Sample");
        bag.WriteProperty("Count", count, 5);
        bag.WriteFont("Font", font, ClientSite()->AmbientFont());
        bag.WritePicture("Icon", icon, nullptr);
    }
    void AmbientChanged(std::string_view name) override { ambientChanges.emplace_back(name); }
};

}  // namespace tabula::test
