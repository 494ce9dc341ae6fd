// The text of a form file. A form file is a JSON object:
//
//   {
//     "format": "Tabula form",
//     "version": 1,
//     "form": [ bag entry, ... ],
//     "controls": [
//       { "type": "PictureBox",
//         "extender": { "Name": "Picture1", "Left": 10, ..., "DragIcon": null },
//         "properties": [ bag entry, ... ] },
//       ...
//     ]
//   }
//
// A bag entry is {"key": "Rows", "<type>": value}, with <type> one of Empty (null),
// Boolean, Integer, Long, Double, String, Date (an OLE date serial), Font ({"name",
// "size", "bold", "italic", "underline", "strikethrough"}) and Picture (a base64 PNG,
// "" for an empty image, or null for none). Bags are arrays because their order is
// part of what a control saved. Extender values carry the type of their property.

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/container/Base64.h"
#include "platform/container/FormFile.h"
#include "platform/image/PngData.h"
#include "platform/runtime/Dates.h"
#include "platform/runtime/Error.h"

namespace tabula {

namespace {

namespace limits = form_file_limits;
using Json = nlohmann::ordered_json;

constexpr std::string_view kFormat = "Tabula form";
constexpr int64_t kVersion = 1;

// ---------------------------------------------------------------------------------------
// Window sizes, checked alike when writing and when reading

// Calls `fail(where, what)` for a form or control side over the limit, or for windows
// larger in all than the limit. Sizes that are not numbers are the loader's to refuse.
template <class Fail>
void CheckWindowSizes(const FormDescription& description, Fail fail) {
    const auto side = [&](const Variant& value, const std::string& where) -> int64_t {
        if (value.IsEmpty() || !IsNumeric(value)) return 0;
        const double size = value.ToDouble();
        if (size > double(limits::kMaxWindowSide))
            fail(where, "a size over " + std::to_string(limits::kMaxWindowSide) + " pixels");
        return size > 0 ? static_cast<int64_t>(size) : 0;
    };
    const auto extender = [](const ControlDescription& control, ExtenderProperty property) {
        for (const auto& [which, value] : control.extender)
            if (which == property) return value;
        return Variant();
    };
    int64_t area = side(description.form.ReadProperty("Width"), "form.Width") *
                   side(description.form.ReadProperty("Height"), "form.Height");
    for (size_t i = 0; i < description.controls.size(); ++i) {
        const ControlDescription& control = description.controls[i];
        const std::string where = "controls[" + std::to_string(i) + "]";
        area += side(extender(control, ExtenderProperty::Width), where + ".extender.Width") *
                side(extender(control, ExtenderProperty::Height), where + ".extender.Height");
        if (area > limits::kMaxTotalWindowPixels)
            fail(where, "the form and its controls larger in all than " +
                            std::to_string(limits::kMaxTotalWindowPixels) + " pixels");
    }
    if (area > limits::kMaxTotalWindowPixels)
        fail("form", "larger than " + std::to_string(limits::kMaxTotalWindowPixels) + " pixels");
}

// ---------------------------------------------------------------------------------------
// Writing

[[noreturn]] void CannotSave(const std::string& where, const std::string& what) {
    RaiseError(kErrInvalidPropertyValue, {}, "Cannot save the form: " + where + ": " + what);
}

class Writer {
public:
    Json Bag(const PropertyBag& bag, const std::string& where) {
        if (bag.Count() > limits::kMaxBagEntries) {
            CannotSave(where, "more than " + std::to_string(limits::kMaxBagEntries) + " entries");
        }
        Json entries = Json::array();
        for (const PropertyBag::Entry& entry : bag.Entries()) {
            const std::string at = where + " (\"" + entry.key + "\")";
            Key(entry.key, at);
            Json out = Json::object();
            out["key"] = entry.key;
            switch (entry.value.Kind()) {
                case PropertyKind::Value:
                    Value(entry.value.AsValue(), at, out);
                    break;
                case PropertyKind::Font:
                    out["Font"] = Font(entry.value.AsFont(), at);
                    break;
                case PropertyKind::Picture:
                    out["Picture"] = Picture(entry.value.AsPicture(), at);
                    break;
            }
            entries.push_back(std::move(out));
        }
        return entries;
    }

    Json Extender(const std::vector<std::pair<ExtenderProperty, Variant>>& values,
                  const std::string& where) {
        Json out = Json::object();
        for (const auto& [property, value] : values) {
            const std::string name(ExtenderPropertyName(property));
            const std::string at = where + "." + name;
            if (out.contains(name)) CannotSave(at, "the property is given twice");
            switch (ExtenderPropertyType(property)) {
                case ExtenderType::Text:
                    out[name] = Text(value.ToText(), at);
                    break;
                case ExtenderType::Long:
                    out[name] = value.ToLong();
                    break;
                case ExtenderType::Integer:
                    out[name] = value.ToInteger();
                    break;
                case ExtenderType::Boolean:
                    out[name] = value.ToBoolean();
                    break;
                case ExtenderType::Picture:
                    out[name] = Picture(PictureFromVariant(value), at);
                    break;
            }
        }
        return out;
    }

    void Key(const std::string& key, const std::string& where) {
        if (key.empty() || key.size() > limits::kMaxKeyBytes) {
            CannotSave(where,
                       "a name must have 1 to " + std::to_string(limits::kMaxKeyBytes) + " bytes");
        }
    }

private:
    static const std::string& Text(const std::string& text, const std::string& where) {
        if (text.size() > limits::kMaxTextBytes) {
            CannotSave(where,
                       "a text longer than " + std::to_string(limits::kMaxTextBytes) + " bytes");
        }
        return text;
    }

    static double Finite(double value, const std::string& where) {
        if (!std::isfinite(value)) CannotSave(where, "a number that is not finite");
        return value;
    }

    void Value(const Variant& value, const std::string& where, Json& out) {
        switch (value.Type()) {
            case VariantType::Empty:
                out["Empty"] = nullptr;
                break;
            case VariantType::Boolean:
                out["Boolean"] = value.ToBoolean();
                break;
            case VariantType::Integer:
                out["Integer"] = value.ToInteger();
                break;
            case VariantType::Long:
                out["Long"] = value.ToLong();
                break;
            case VariantType::Double:
                out["Double"] = Finite(value.ToDouble(), where);
                break;
            case VariantType::String:
                out["String"] = Text(value.ToText(), where);
                break;
            case VariantType::Date:
                out["Date"] = Finite(value.ToDouble(), where);
                break;
            case VariantType::Object:
                // A bag keeps objects as pictures; nothing else reaches here.
                CannotSave(where, "an object");
        }
    }

    static Json Font(const FontDescriptor& font, const std::string& where) {
        if (font.name.size() > limits::kMaxKeyBytes) CannotSave(where, "a font name too long");
        if (!(font.size > 0 && font.size <= limits::kMaxFontSize)) {
            CannotSave(where, "a font size outside 0 to " +
                                  std::to_string(int(limits::kMaxFontSize)) + " points");
        }
        Json out = Json::object();
        out["name"] = font.name;
        out["size"] = font.size;
        out["bold"] = font.bold;
        out["italic"] = font.italic;
        out["underline"] = font.underline;
        out["strikethrough"] = font.strikethrough;
        return out;
    }

    Json Picture(const PicturePtr& picture, const std::string& where) {
        if (!picture) return nullptr;
        const int64_t pixels = int64_t{picture->Width()} * picture->Height();
        if (pixels > limits::kMaxPicturePixels) CannotSave(where, "a picture too large");
        pixels_ += pixels;
        if (pixels_ > limits::kMaxTotalPicturePixels) CannotSave(where, "too many pictures");
        if (pixels == 0) return "";
        return EncodeBase64(EncodePng(picture->Image()));
    }

    int64_t pixels_ = 0;
};

// ---------------------------------------------------------------------------------------
// Reading

struct TooDeep {};

[[noreturn]] void Damaged(const std::string& where, const std::string& what) {
    RaiseError(kErrInvalidFileFormat, {},
               "The form file is damaged: " + (where.empty() ? "" : where + ": ") + what);
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

class Reader {
public:
    FormDescription Form(const Json& root) {
        if (!root.is_object()) Damaged("", "the file does not hold a JSON object");
        Members(root, "", {"format", "version", "form", "controls"});
        const Json& format = Member(root, "format", "");
        if (!format.is_string() || format.get<std::string>() != kFormat) {
            Damaged("format", "not a Tabula form file");
        }
        const Json& version = Member(root, "version", "");
        if (!version.is_number_integer()) Damaged("version", "not a whole number");
        if (!version.is_number_unsigned() || version.get<uint64_t>() != kVersion) {
            Damaged("version", "version " + version.dump() + " is not one this program reads");
        }

        FormDescription description;
        description.form = Bag(Member(root, "form", ""), "form");
        const Json& controls = Member(root, "controls", "");
        if (!controls.is_array()) Damaged("controls", "not a list");
        if (controls.size() > limits::kMaxControls) {
            Damaged("controls", "more than " + std::to_string(limits::kMaxControls));
        }
        for (size_t i = 0; i < controls.size(); ++i) {
            description.controls.push_back(
                Control(controls[i], "controls[" + std::to_string(i) + "]"));
        }
        CheckWindowSizes(description, Damaged);
        return description;
    }

private:
    static const Json& Member(const Json& object, const char* name, const std::string& where) {
        const auto found = object.find(name);
        if (found == object.end()) {
            Damaged(where, std::string("the entry ") + Quoted(name) + " is missing");
        }
        return *found;
    }

    // Refuses members other than `allowed`, so damage never passes unnoticed.
    static void Members(const Json& object, const std::string& where,
                        std::initializer_list<std::string_view> allowed) {
        for (const auto& [name, value] : object.items()) {
            if (std::find(allowed.begin(), allowed.end(), name) == allowed.end()) {
                Damaged(where, "unexpected entry " + Quoted(name));
            }
        }
    }

    static int64_t WholeNumber(const Json& value, int64_t min, int64_t max,
                               const std::string& where) {
        bool fits = false;
        int64_t number = 0;
        if (value.is_number_unsigned()) {
            const uint64_t u = value.get<uint64_t>();
            fits = u <= static_cast<uint64_t>(max);
            number = fits ? static_cast<int64_t>(u) : 0;
        } else if (value.is_number_integer()) {
            number = value.get<int64_t>();
            fits = number >= min && number <= max;
        }
        if (!fits) {
            Damaged(where, "not a whole number from " + std::to_string(min) + " to " +
                               std::to_string(max));
        }
        return number;
    }

    static double Number(const Json& value, double min, double max, const std::string& where) {
        if (!value.is_number()) Damaged(where, "not a number");
        const double number = value.get<double>();
        if (!(number >= min && number <= max)) Damaged(where, "a number out of range");
        return number;
    }

    static bool Boolean(const Json& value, const std::string& where) {
        if (!value.is_boolean()) Damaged(where, "not true or false");
        return value.get<bool>();
    }

    static std::string Text(const Json& value, size_t maxBytes, const std::string& where) {
        if (!value.is_string()) Damaged(where, "not a text");
        const std::string& text = value.get_ref<const std::string&>();
        if (text.size() > maxBytes) {
            Damaged(where, "a text longer than " + std::to_string(maxBytes) + " bytes");
        }
        return text;
    }

    ControlDescription Control(const Json& object, const std::string& where) {
        if (!object.is_object()) Damaged(where, "not a control");
        Members(object, where, {"type", "extender", "properties"});
        ControlDescription control;
        control.typeName =
            Text(Member(object, "type", where), limits::kMaxKeyBytes, where + ".type");
        if (control.typeName.empty()) Damaged(where + ".type", "an empty type name");
        control.extender = Extender(Member(object, "extender", where), where + ".extender");
        control.properties = Bag(Member(object, "properties", where), where + ".properties");
        return control;
    }

    std::vector<std::pair<ExtenderProperty, Variant>> Extender(const Json& object,
                                                               const std::string& where) {
        if (!object.is_object()) Damaged(where, "not a set of extender properties");
        std::vector<std::pair<ExtenderProperty, Variant>> values;
        for (const auto& [name, value] : object.items()) {
            const std::string at = where + "." + name;
            const std::optional<ExtenderProperty> property = FindExtenderProperty(name);
            // Only the exact spelling, so no property can be given twice.
            if (!property || ExtenderPropertyName(*property) != name) {
                Damaged(where, "unknown extender property " + Quoted(name));
            }
            values.emplace_back(*property, ExtenderValue(*property, value, at));
        }
        std::sort(values.begin(), values.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        return values;
    }

    Variant ExtenderValue(ExtenderProperty property, const Json& value, const std::string& at) {
        switch (ExtenderPropertyType(property)) {
            case ExtenderType::Text:
                return Variant(Text(value, limits::kMaxTextBytes, at));
            case ExtenderType::Long:
                return Variant(
                    static_cast<int32_t>(WholeNumber(value, std::numeric_limits<int32_t>::min(),
                                                     std::numeric_limits<int32_t>::max(), at)));
            case ExtenderType::Integer:
                return Variant(
                    static_cast<int16_t>(WholeNumber(value, std::numeric_limits<int16_t>::min(),
                                                     std::numeric_limits<int16_t>::max(), at)));
            case ExtenderType::Boolean:
                return Variant(Boolean(value, at));
            case ExtenderType::Picture:
                return VariantFromPicture(Picture(value, at));
        }
        return {};
    }

    PropertyBag Bag(const Json& entries, const std::string& where) {
        if (!entries.is_array()) Damaged(where, "not a list of properties");
        if (entries.size() > limits::kMaxBagEntries) {
            Damaged(where, "more than " + std::to_string(limits::kMaxBagEntries) + " properties");
        }
        PropertyBag bag;
        for (size_t i = 0; i < entries.size(); ++i) {
            const Json& entry = entries[i];
            std::string at = where + "[" + std::to_string(i) + "]";
            if (!entry.is_object()) Damaged(at, "not a property");
            const std::string key =
                Text(Member(entry, "key", at), limits::kMaxKeyBytes, at + ".key");
            if (key.empty()) Damaged(at + ".key", "an empty key");
            at += " (" + Quoted(key) + ")";
            if (bag.Contains(key)) Damaged(at, "the key is given twice");
            if (entry.size() != 2) Damaged(at, "a property needs a key and one typed value");
            for (const auto& [type, value] : entry.items()) {
                if (type != "key") bag.Store(key, BagValue(type, value, at));
            }
        }
        return bag;
    }

    PropertyValue BagValue(const std::string& type, const Json& value, const std::string& at) {
        const std::string where = at + "." + type;
        if (type == "Empty") {
            if (!value.is_null()) Damaged(where, "not null");
            return PropertyValue::FromVariant(Variant());
        }
        if (type == "Boolean") return PropertyValue::FromVariant(Variant(Boolean(value, where)));
        if (type == "Integer") {
            return PropertyValue::FromVariant(Variant(
                static_cast<int16_t>(WholeNumber(value, std::numeric_limits<int16_t>::min(),
                                                 std::numeric_limits<int16_t>::max(), where))));
        }
        if (type == "Long") {
            return PropertyValue::FromVariant(Variant(
                static_cast<int32_t>(WholeNumber(value, std::numeric_limits<int32_t>::min(),
                                                 std::numeric_limits<int32_t>::max(), where))));
        }
        if (type == "Double") {
            const double max = std::numeric_limits<double>::max();
            return PropertyValue::FromVariant(Variant(Number(value, -max, max, where)));
        }
        if (type == "String") {
            return PropertyValue::FromVariant(Variant(Text(value, limits::kMaxTextBytes, where)));
        }
        if (type == "Date") {
            // Serials run to the end of the last day, 31 December 9999.
            const double serial = Number(value, kMinDateSerial, kMaxDateSerial + 1, where);
            if (serial == kMaxDateSerial + 1) Damaged(where, "a number out of range");
            return PropertyValue::FromVariant(Variant::FromDate(serial));
        }
        if (type == "Font") return PropertyValue::FromFont(Font(value, where));
        if (type == "Picture") return PropertyValue::FromPicture(Picture(value, where));
        Damaged(at, "unknown value type " + Quoted(type));
    }

    FontDescriptor Font(const Json& object, const std::string& where) {
        if (!object.is_object()) Damaged(where, "not a font");
        Members(object, where, {"name", "size", "bold", "italic", "underline", "strikethrough"});
        FontDescriptor font;
        font.name = Text(Member(object, "name", where), limits::kMaxKeyBytes, where + ".name");
        const double size =
            Number(Member(object, "size", where), 0, limits::kMaxFontSize, where + ".size");
        // The size as stored: a size too small for a float would load as 0.
        font.size = static_cast<float>(size);
        if (!(font.size > 0)) Damaged(where + ".size", "a font size of 0");
        font.bold = Boolean(Member(object, "bold", where), where + ".bold");
        font.italic = Boolean(Member(object, "italic", where), where + ".italic");
        font.underline = Boolean(Member(object, "underline", where), where + ".underline");
        font.strikethrough =
            Boolean(Member(object, "strikethrough", where), where + ".strikethrough");
        return font;
    }

    PicturePtr Picture(const Json& value, const std::string& where) {
        if (value.is_null()) return nullptr;
        const std::string text = Text(value, limits::kMaxFileBytes, where);
        if (text.empty()) return std::make_shared<tabula::Picture>(PixelImage());
        const std::optional<std::vector<uint8_t>> png = DecodeBase64(text);
        if (!png) Damaged(where, "a picture that is not base64 text");
        const int64_t budget = limits::kMaxTotalPicturePixels - pixels_;
        PixelImage image;
        try {
            image = DecodePng(*png, std::min(limits::kMaxPicturePixels, budget));
        } catch (const PngError& error) {
            Damaged(where, std::string("a picture that cannot be read: ") + error.what());
        }
        pixels_ += int64_t{image.Width()} * image.Height();
        return std::make_shared<tabula::Picture>(std::move(image));
    }

    int64_t pixels_ = 0;
};

// What nlohmann reports, without its "[json.exception.parse_error.101] " prefix.
std::string Reason(const nlohmann::json::exception& error) {
    const std::string text = error.what();
    const size_t end = text.find("] ");
    return end == std::string::npos ? text : text.substr(end + 2);
}

}  // namespace

std::string FormToJson(const FormDescription& description) {
    if (description.controls.size() > limits::kMaxControls) {
        CannotSave("controls", "more than " + std::to_string(limits::kMaxControls));
    }
    CheckWindowSizes(description, CannotSave);
    Writer writer;
    Json root = Json::object();
    root["format"] = kFormat;
    root["version"] = kVersion;
    root["form"] = writer.Bag(description.form, "form");
    Json controls = Json::array();
    for (size_t i = 0; i < description.controls.size(); ++i) {
        const ControlDescription& control = description.controls[i];
        const std::string where = "controls[" + std::to_string(i) + "]";
        writer.Key(control.typeName, where + ".type");
        Json out = Json::object();
        out["type"] = control.typeName;
        out["extender"] = writer.Extender(control.extender, where + ".extender");
        out["properties"] = writer.Bag(control.properties, where + ".properties");
        controls.push_back(std::move(out));
    }
    root["controls"] = std::move(controls);
    return root.dump(2) + "\n";
}

FormDescription FormFromJson(std::string_view text) {
    if (text.size() > limits::kMaxFileBytes) {
        Damaged("", "larger than " + std::to_string(limits::kMaxFileBytes) + " bytes");
    }
    Json root;
    try {
        const Json::parser_callback_t limitDepth = [](int depth, Json::parse_event_t event, Json&) {
            if ((event == Json::parse_event_t::object_start ||
                 event == Json::parse_event_t::array_start) &&
                depth >= limits::kMaxDepth) {
                throw TooDeep{};
            }
            return true;
        };
        root = Json::parse(text.begin(), text.end(), limitDepth);
    } catch (const TooDeep&) {
        Damaged("", "lists and objects nested more than " + std::to_string(limits::kMaxDepth) +
                        " deep");
    } catch (const nlohmann::json::exception& error) {
        RaiseError(kErrInvalidFileFormat, {}, "The form file is not valid JSON: " + Reason(error));
    }
    return Reader().Form(root);
}

}  // namespace tabula
