// The intrinsic controls a container places: one wrapper class per type, each the forms
// runtime's control, a ContainedControl and a Dispatchable. A wrapper builds its member
// table in its constructor from two parts, the members every control shares and the
// type's own, and the same builder notes which properties a form file saves and the
// value each has on a fresh control (its default, which a save leaves out).
//
// Call flow:
//   Place     -> factory -> Intrinsic<Base>(parent) -> CommonMembers, OwnMembers
//             -> (the container names it) -> InitProperties: ambient font, name shown
//   Invoke    -> MemberInfo::let -> checks, the control's setter -> PropertyChanged
//   Save      -> WriteProperties: "Font", then each saved property against its default
//   Load      -> ReadProperties: "Font", then each saved property, in table order, through
//                the let's checks; a refused value -> PropertyRefused, the default kept

#include "platform/container/IntrinsicControls.h"

#include <functional>
#include <string>
#include <vector>

#include "platform/container/ContainedControl.h"
#include "platform/container/FormFile.h"
#include "platform/container/Picture.h"
#include "platform/container/PropertyBag.h"
#include "platform/container/Site.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Frame.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/TextBox.h"
#include "platform/runtime/Dispatch.h"
#include "platform/runtime/Error.h"

namespace tabula {

namespace {

using Get = std::function<Variant()>;
using Put = std::function<void(const Variant&)>;

// --- Checked values ------------------------------------------------------------------------

// A 16-bit enumeration: 13 or 6 from the conversion, 380 outside first..last.
int16_t Enumeration(const Variant& value, int16_t first, int16_t last) {
    const int16_t n = value.ToInteger();
    if (n < first || n > last) RaiseError(kErrInvalidPropertyValue);
    return n;
}

// Colours travel as Longs, system colours (the high bit set) as negative ones.
Variant FromColour(OLE_COLOR color) {
    return Variant(static_cast<int32_t>(color));
}
OLE_COLOR Colour(const Variant& value) {
    const auto color = static_cast<OLE_COLOR>(value.ToLong());
    if (OleTranslateColor(color, nullptr) != S_OK) RaiseError(kErrInvalidPropertyValue);
    return color;
}

// The mouse pointers a control knows: 0 to 15, and 99 for its own icon.
int16_t Pointer(const Variant& value) {
    const int16_t pointer = value.ToInteger();
    if ((pointer < 0 || pointer > 15) && pointer != 99) RaiseError(kErrInvalidPropertyValue);
    return pointer;
}

std::string FontName(const Variant& value) {
    std::string name = value.ToText();
    if (name.empty()) RaiseError(kErrInvalidPropertyValue);
    return name;
}

float FontPoints(const Variant& value) {
    const double points = value.ToDouble();
    if (!(points > 0 && points <= form_file_limits::kMaxFontSize)) {
        RaiseError(kErrInvalidPropertyValue);
    }
    return static_cast<float>(points);
}

// A font from a form file passes the checks its parts' writes make.
FontDescriptor CheckedFont(FontDescriptor font) {
    FontName(Variant(font.name));
    FontPoints(Variant(double{font.size}));
    return font;
}

// --- The member table ----------------------------------------------------------------------

// A property a form file keeps: saved under its member's name unless it equals the value
// of a fresh control.
struct SavedProperty {
    std::string key;
    Get get;
    Put put;  // the checks and the setter, without PropertyChanged
    Variant byDefault;
    bool picture = false;
};

// Builds one control's member table and its list of saved properties.
class MemberBuilder {
public:
    enum class Saved { No, Yes };
    using Announce = std::function<void(std::string_view name)>;

    MemberBuilder(DispatchTable& table, std::vector<SavedProperty>& saved, Announce announce)
        : table_(table), saved_(saved), announce_(std::move(announce)) {}

    // A property read and written; a form file keeps it unless told otherwise. Its default
    // is what `get` gives now, on the fresh control.
    void Property(const char* name, int32_t dispid, Get get, Put put, Saved saved = Saved::Yes) {
        if (saved == Saved::Yes) saved_.push_back({name, get, put, get()});
        table_.Add({name, dispid, kInvokeGet | kInvokeLet, {}, 0, Getter(get), Letter(name, put)});
    }
    // A picture property, written with Set and kept as a picture.
    void PictureProperty(const char* name, int32_t dispid, Get get, Put put) {
        saved_.push_back({name, get, put, Variant(), true});
        table_.Add({name, dispid, kInvokeGet | kInvokeSet, {}, 0, Getter(get), Letter(name, put)});
    }
    void ReadOnly(const char* name, int32_t dispid, Get get) {
        table_.Add({name, dispid, kInvokeGet, {}, 0, Getter(get), {}});
    }
    // A property with an index argument; run-time state, never saved.
    void Indexed(const char* name, int32_t dispid, const char* index,
                 std::function<Variant(int32_t)> get,
                 std::function<void(int32_t, const Variant&)> put) {
        table_.Add({name,
                    dispid,
                    kInvokeGet | kInvokeLet,
                    {{index}},
                    0,
                    [get](InvokeArgs& a) { return get(a[0].ToLong()); },
                    [put](InvokeArgs& a) { put(a[0].ToLong(), a.values.back()); }});
    }
    void Method(const char* name, int32_t dispid, std::vector<ParamInfo> parameters,
                std::function<void(InvokeArgs&)> call) {
        table_.Add({name,
                    dispid,
                    kInvokeMethod,
                    std::move(parameters),
                    0,
                    [call](InvokeArgs& a) {
                        call(a);
                        return Variant();
                    },
                    {}});
    }

private:
    static std::function<Variant(InvokeArgs&)> Getter(Get get) {
        return [get = std::move(get)](InvokeArgs&) { return get(); };
    }
    std::function<void(InvokeArgs&)> Letter(const char* name, Put put) {
        return [name, put = std::move(put), announce = announce_](InvokeArgs& a) {
            put(a.values.back());
            announce(name);
        };
    }

    DispatchTable& table_;
    std::vector<SavedProperty>& saved_;
    Announce announce_;
};

using Saved = MemberBuilder::Saved;

// The members every intrinsic control has.
void CommonMembers(Control& c, MemberBuilder& b) {
    b.Property(
        "BackColor", kDispBackColor, [&c] { return FromColour(c.BackColor()); },
        [&c](const Variant& v) { c.SetBackColor(Colour(v)); });
    b.Property(
        "ForeColor", kDispForeColor, [&c] { return FromColour(c.ForeColor()); },
        [&c](const Variant& v) { c.SetForeColor(Colour(v)); });
    b.Property(
        "Enabled", kDispEnabled, [&c] { return Variant(c.Enabled()); },
        [&c](const Variant& v) { c.SetEnabled(v.ToBoolean()); });
    // The font is saved whole, as "Font"; these are its parts.
    b.Property(
        "FontName", kDispFontName, [&c] { return Variant(c.FontName()); },
        [&c](const Variant& v) { c.SetFontName(FontName(v)); }, Saved::No);
    b.Property(
        "FontSize", kDispFontSize, [&c] { return Variant(double{c.FontSize()}); },
        [&c](const Variant& v) { c.SetFontSize(FontPoints(v)); }, Saved::No);
    const auto flag = [&](const char* name, int32_t dispid, bool (Control::*read)() const,
                          void (Control::*write)(bool)) {
        b.Property(
            name, dispid, [&c, read] { return Variant((c.*read)()); },
            [&c, write](const Variant& v) { (c.*write)(v.ToBoolean()); }, Saved::No);
    };
    flag("FontBold", kDispFontBold, &Control::FontBold, &Control::SetFontBold);
    flag("FontItalic", kDispFontItalic, &Control::FontItalic, &Control::SetFontItalic);
    flag("FontUnderline", kDispFontUnderline, &Control::FontUnderline, &Control::SetFontUnderline);
    flag("FontStrikethru", kDispFontStrikethru, &Control::FontStrikethru,
         &Control::SetFontStrikethru);
    b.Property(
        "MousePointer", kDispMousePointer, [&c] { return Variant(c.MousePointer()); },
        [&c](const Variant& v) { c.SetMousePointer(Pointer(v)); });
}

// Caption, for the types that have one.
template <class T>
void CaptionMember(T& c, MemberBuilder& b) {
    b.Property(
        "Caption", kDispCaption, [&c] { return Variant(c.Caption()); },
        [&c](const Variant& v) { c.SetCaption(v.ToText()); });
}

// The items of a list box or drop-down list: run-time state, never saved.
template <class T>
void ListMembers(T& c, MemberBuilder& b) {
    b.Property(
        "ListIndex", kDispListIndex, [&c] { return Variant(c.ListIndex()); },
        [&c](const Variant& v) {
            const int32_t index = v.ToLong();
            if (index < -1 || index >= c.ListCount()) RaiseError(kErrInvalidPropertyValue);
            c.SetListIndex(index);
        },
        Saved::No);
    b.Indexed(
        "List", kDispList, "Index", [&c](int32_t i) { return Variant(c.List(i)); },
        [&c](int32_t i, const Variant& v) { c.SetList(i, v.ToText()); });
    b.ReadOnly("ListCount", kDispListCount, [&c] { return Variant(c.ListCount()); });
    b.ReadOnly("Text", kDispText, [&c] { return Variant(c.Text()); });
    b.Method("AddItem", kDispAddItem, {{"Item"}, {"Index", true}},
             [&c](InvokeArgs& a) { c.AddItem(a[0].ToText(), a.Missing(1) ? -1 : a[1].ToLong()); });
    b.Method("RemoveItem", kDispRemoveItem, {{"Index"}},
             [&c](InvokeArgs& a) { c.RemoveItem(a[0].ToLong()); });
    b.Method("Clear", kDispClear, {}, [&c](InvokeArgs&) { c.Clear(); });
}

// --- Each type's own members -------------------------------------------------------------

void OwnMembers(CommandButton& c, MemberBuilder& b) {
    CaptionMember(c, b);
}

void OwnMembers(Label& c, MemberBuilder& b) {
    CaptionMember(c, b);
    b.Property(
        "Alignment", kDispAlignment, [&c] { return Variant(c.Alignment()); },
        [&c](const Variant& v) { c.SetAlignment(Enumeration(v, 0, 2)); });
    b.Property(
        "AutoSize", kDispAutoSize, [&c] { return Variant(c.AutoSize()); },
        [&c](const Variant& v) { c.SetAutoSize(v.ToBoolean()); });
    b.Property(
        "WordWrap", kDispWordWrap, [&c] { return Variant(c.WordWrap()); },
        [&c](const Variant& v) { c.SetWordWrap(v.ToBoolean()); });
    b.Property(
        "UseMnemonic", kDispUseMnemonic, [&c] { return Variant(c.UseMnemonic()); },
        [&c](const Variant& v) { c.SetUseMnemonic(v.ToBoolean()); });
}

void OwnMembers(TextBox& c, MemberBuilder& b) {
    b.Property(
        "Text", kDispText, [&c] { return Variant(c.Text()); },
        [&c](const Variant& v) { c.SetText(v.ToText()); });
    b.Property(
        "MaxLength", kDispMaxLength, [&c] { return Variant(c.MaxLength()); },
        [&c](const Variant& v) {
            const int32_t length = v.ToLong();
            if (length < 0) RaiseError(kErrInvalidPropertyValue);
            c.SetMaxLength(length);
        });
    b.Property(
        "Locked", kDispLocked, [&c] { return Variant(c.Locked()); },
        [&c](const Variant& v) { c.SetLocked(v.ToBoolean()); });
    b.Property(
        "Alignment", kDispAlignment, [&c] { return Variant(c.Alignment()); },
        [&c](const Variant& v) { c.SetAlignment(Enumeration(v, 0, 2)); });
    b.Property(
        "BorderStyle", kDispBorderStyle, [&c] { return Variant(c.BorderStyle()); },
        [&c](const Variant& v) { c.SetBorderStyle(Enumeration(v, 0, 1)); });
    b.Property(
        "HideSelection", kDispHideSelection, [&c] { return Variant(c.HideSelection()); },
        [&c](const Variant& v) { c.SetHideSelection(v.ToBoolean()); });
    b.ReadOnly("MultiLine", kDispMultiLine, [&c] { return Variant(c.MultiLine()); });
}

void OwnMembers(CheckBox& c, MemberBuilder& b) {
    CaptionMember(c, b);
    b.Property(
        "Value", kDispValue, [&c] { return Variant(c.Value()); },
        [&c](const Variant& v) { c.SetValue(Enumeration(v, vbUnchecked, vbGrayed)); });
}

void OwnMembers(Frame& c, MemberBuilder& b) {
    CaptionMember(c, b);
}

void OwnMembers(ListBox& c, MemberBuilder& b) {
    b.Property(
        "IntegralHeight", kDispIntegralHeight, [&c] { return Variant(c.IntegralHeight()); },
        [&c](const Variant& v) { c.SetIntegralHeight(v.ToBoolean()); });
    b.Property(
        "TopIndex", kDispTopIndex, [&c] { return Variant(c.TopIndex()); },
        [&c](const Variant& v) { c.SetTopIndex(v.ToLong()); }, Saved::No);
    ListMembers(c, b);
}

void OwnMembers(ComboBox& c, MemberBuilder& b) {
    b.ReadOnly("Style", kDispStyle, [&c] { return Variant(c.Style()); });
    ListMembers(c, b);
}

void OwnMembers(PictureBox& c, MemberBuilder& b) {
    b.Property(
        "DrawStyle", kDispDrawStyle, [&c] { return Variant(c.DrawStyle()); },
        [&c](const Variant& v) { c.SetDrawStyle(Enumeration(v, 0, 6)); });
    b.Method("Cls", kDispCls, {}, [&c](InvokeArgs&) { c.Cls(); });
}

void OwnMembers(Image& c, MemberBuilder& b) {
    // Before Picture: a picture set without Stretch resizes the control to itself.
    b.Property(
        "Stretch", kDispStretch, [&c] { return Variant(c.Stretch()); },
        [&c](const Variant& v) { c.SetStretch(v.ToBoolean()); });
    // The control keeps the pixels; each read gives a new picture object of them.
    b.PictureProperty(
        "Picture", kDispPicture,
        [&c] {
            const PixelImage& shown = c.Picture();
            return VariantFromPicture(
                shown.Width() && shown.Height() ? std::make_shared<Picture>(shown) : nullptr);
        },
        [&c](const Variant& v) {
            const PicturePtr picture = PictureFromVariant(v);
            c.SetPicture(picture ? picture->Image() : PixelImage());
        });
}

// --- The wrapper ---------------------------------------------------------------------------

template <class Base>
class Intrinsic final : public Base, public ContainedControl, public Dispatchable {
public:
    // `named` is the property a new instance sets to its name, or null.
    Intrinsic(HWND parent, const Rect& rect, const char* named)
        : Base(parent, rect), named_(named) {
        MemberBuilder builder(members_, saved_, [this](std::string_view name) {
            if (Site* site = ClientSite()) site->PropertyChanged(name);
        });
        CommonMembers(*this, builder);
        OwnMembers(static_cast<Base&>(*this), builder);
    }

    const DispatchTable& Members() const override { return members_; }

    void InitProperties() override {
        this->SetFont(AmbientFont());
        if (!named_ || this->Name().empty()) return;
        for (const SavedProperty& property : saved_) {
            if (property.key == named_) property.put(Variant(this->Name()));
        }
    }

    void ReadProperties(const PropertyBag& bag) override {
        const FontDescriptor ambient = AmbientFont();
        // A fresh control's font is the runtime's default; a refused one takes the ambient
        // font, as a missing one does. Every other property is at its default already.
        if (!Read("Font", [&] { this->SetFont(CheckedFont(bag.ReadFont("Font", ambient))); })) {
            this->SetFont(ambient);
        }
        for (const SavedProperty& p : saved_) {
            Read(p.key, [&] {
                p.put(p.picture ? VariantFromPicture(bag.ReadPicture(p.key))
                                : bag.ReadProperty(p.key, p.byDefault));
            });
        }
    }

    void WriteProperties(PropertyBag& bag) override {
        bag.WriteFont("Font", this->Font(), AmbientFont());
        for (const SavedProperty& p : saved_) {
            if (p.picture) {
                bag.WritePicture(p.key, PictureFromVariant(p.get()), nullptr);
            } else {
                bag.WriteProperty(p.key, p.get(), p.byDefault);
            }
        }
    }

private:
    FontDescriptor AmbientFont() const {
        return ClientSite() ? ClientSite()->AmbientFont() : FontDescriptor{};
    }

    // Applies one saved setting. A value the control refuses (its checks come before its
    // setter, so it changes nothing) is reported to the container and loading goes on.
    template <class Apply>
    bool Read(std::string_view key, Apply apply) {
        try {
            apply();
            return true;
        } catch (const RuntimeError& error) {
            if (Site* site = ClientSite())
                site->PropertyRefused(key, error.number, error.description);
            return false;
        }
    }

    const char* named_;
    DispatchTable members_;
    std::vector<SavedProperty> saved_;
};

template <class Base>
void Register(ControlRegistry& registry, const char* type, const char* baseName, Rect rect,
              const char* named = nullptr) {
    registry.Register(
        type,
        [rect, named](HWND parent) {
            return std::make_unique<Intrinsic<Base>>(parent, rect, named);
        },
        baseName);
}

}  // namespace

void RegisterIntrinsicControls(ControlRegistry& registry) {
    // Each drawn at the size a designer gives a new one.
    Register<CommandButton>(registry, "VB.CommandButton", "Command", {0, 0, 81, 33}, "Caption");
    Register<Label>(registry, "VB.Label", "Label", {0, 0, 81, 17}, "Caption");
    Register<TextBox>(registry, "VB.TextBox", "Text", {0, 0, 81, 21}, "Text");
    Register<CheckBox>(registry, "VB.CheckBox", "Check", {0, 0, 81, 17}, "Caption");
    Register<Frame>(registry, "VB.Frame", "Frame", {0, 0, 121, 81}, "Caption");
    Register<ListBox>(registry, "VB.ListBox", "List", {0, 0, 121, 95});
    Register<ComboBox>(registry, "VB.ComboBox", "Combo", {0, 0, 121, 21});
    Register<PictureBox>(registry, "VB.PictureBox", "Picture", {0, 0, 81, 81});
    Register<Image>(registry, "VB.Image", "Image", {0, 0, 81, 81});
}

}  // namespace tabula
