#pragma once

// Late-bound calls into objects: a member table (name, dispatch id, which of get / let /
// set / method it supports, parameters, hidden flag) and Invoke by id or by name with
// Variant arguments. Scripts, property pages and form loading all call objects this way;
// C++ code may call the typed members directly. Events go the other way: an EventSource
// delivers each event to any number of sinks, and arguments passed by reference come
// back with the sinks' changes.
//
// Errors, raised as RuntimeError: 438 for a name or id the object does not have (or a
// kind of call the member does not support), 450 for too many arguments or a let without
// a value, 449 for a missing argument that is not optional; conversions of arguments
// raise 13 and 6 as the Variant conversions do; members raise their own.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/AutomationObject.h"
#include "platform/runtime/Variant.h"

namespace tabula {

// Kinds of call, as bits so a member can support several.
enum InvokeKind : uint16_t {
    kInvokeMethod = 1,
    kInvokeGet = 2,
    kInvokeLet = 4,
    kInvokeSet = 8,
};

constexpr uint16_t kMemberHidden = 0x400;

struct ParamInfo {
    std::string name;
    bool optional = false;
    bool byRef = false;
};

// Arguments in declared order; a missing optional argument is an Empty variant with
// `missing` set. For a let or set the new value follows the index arguments.
struct InvokeArgs {
    std::vector<Variant> values;
    std::vector<bool> missing;
    size_t Count() const { return values.size(); }
    const Variant& operator[](size_t i) const { return values[i]; }
    bool Missing(size_t i) const { return i >= values.size() || missing[i]; }
};

struct MemberInfo {
    std::string name;
    int32_t dispid = 0;
    uint16_t kinds = 0;                       // InvokeKind bits
    std::vector<ParamInfo> parameters;        // the index arguments of a property, or a method's
    uint16_t flags = 0;                       // kMemberHidden
    std::function<Variant(InvokeArgs&)> get;  // get, and methods
    std::function<void(InvokeArgs&)> let;     // let and set; the value is the last argument
};

class DispatchTable {
public:
    DispatchTable& Add(MemberInfo member);
    const MemberInfo* Find(int32_t dispid) const;
    // Names compare without regard to case.
    const MemberInfo* Find(std::string_view name) const;
    const std::vector<MemberInfo>& Members() const { return members_; }

private:
    std::vector<MemberInfo> members_;
    std::map<int32_t, size_t> byId_;
    std::map<std::string, size_t> byName_;
};

// Calls a member. `args` holds the call's arguments in order (for a let, the index
// arguments then the value); by-reference arguments are written back into it.
Variant Invoke(const DispatchTable& table, int32_t dispid, InvokeKind kind,
               std::vector<Variant>& args);
Variant Invoke(const DispatchTable& table, std::string_view name, InvokeKind kind,
               std::vector<Variant>& args);
// As above, for callers that can leave arguments out in the middle (`Method a, , c`):
// `skipped[i]` marks argument i as left out. A left-out argument of an optional parameter
// is missing, as a trailing one would be; of any other parameter it raises 449. A null
// member raises 438.
Variant Invoke(const MemberInfo* member, InvokeKind kind, std::vector<Variant>& args,
               const std::vector<bool>& skipped);

// An object scripts can call.
class Dispatchable : public AutomationObject {
public:
    virtual const DispatchTable& Members() const = 0;
};

struct EventInfo {
    std::string name;
    int32_t dispid = 0;
    std::vector<ParamInfo> parameters;
};

// Receives events; changes to by-reference arguments go back to the raiser.
class EventSink {
public:
    virtual ~EventSink() = default;
    virtual void OnEvent(const EventInfo& event, std::vector<Variant>& args) = 0;
};

class EventSource {
public:
    explicit EventSource(std::vector<EventInfo> events) : events_(std::move(events)) {}
    const std::vector<EventInfo>& Events() const { return events_; }

    // Returns a cookie for Unadvise. Sinks are called in the order they were advised.
    int Advise(std::shared_ptr<EventSink> sink);
    void Unadvise(int cookie);
    // Delivers the event to every sink. A sink advised or removed while an event is being
    // delivered takes effect from the next event.
    void Raise(int32_t dispid, std::vector<Variant>& args);

private:
    std::vector<EventInfo> events_;
    std::vector<std::pair<int, std::shared_ptr<EventSink>>> sinks_;
    int nextCookie_ = 1;
};

}  // namespace tabula
