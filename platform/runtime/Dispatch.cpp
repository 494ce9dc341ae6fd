#include "platform/runtime/Dispatch.h"

#include "platform/runtime/Error.h"
#include "platform/text/CaseFold.h"

namespace tabula {

DispatchTable& DispatchTable::Add(MemberInfo member) {
    const size_t index = members_.size();
    byId_[member.dispid] = index;
    byName_[FoldCase(member.name)] = index;
    members_.push_back(std::move(member));
    return *this;
}

const MemberInfo* DispatchTable::Find(int32_t dispid) const {
    auto it = byId_.find(dispid);
    return it == byId_.end() ? nullptr : &members_[it->second];
}

const MemberInfo* DispatchTable::Find(std::string_view name) const {
    auto it = byName_.find(FoldCase(name));
    return it == byName_.end() ? nullptr : &members_[it->second];
}

namespace {

Variant InvokeMember(const MemberInfo* member, InvokeKind kind, std::vector<Variant>& args,
                     const std::vector<bool>* skipped = nullptr) {
    if (!member || !(member->kinds & kind)) RaiseError(kErrNotSupported);
    const bool assigns = kind == kInvokeLet || kind == kInvokeSet;
    const size_t declared = member->parameters.size();
    const size_t indexCount = assigns ? (args.empty() ? 0 : args.size() - 1) : args.size();
    if (assigns && args.empty()) RaiseError(kErrWrongArguments);
    if (indexCount > declared) RaiseError(kErrWrongArguments);

    InvokeArgs call;
    call.values.reserve(declared + 1);
    for (size_t i = 0; i < declared; ++i) {
        const bool leftOut = skipped && i < skipped->size() && (*skipped)[i];
        if (i < indexCount && !leftOut) {
            call.values.push_back(args[i]);
            call.missing.push_back(false);
        } else if (member->parameters[i].optional) {
            call.values.emplace_back();
            call.missing.push_back(true);
        } else {
            RaiseError(kErrArgumentNotOptional);
        }
    }
    if (assigns) {
        call.values.push_back(args.back());
        call.missing.push_back(false);
    }

    Variant result;
    if (assigns) {
        member->let(call);
    } else {
        result = member->get(call);
    }
    // By-reference arguments go back to the caller.
    for (size_t i = 0; i < indexCount; ++i) {
        if (member->parameters[i].byRef) args[i] = call.values[i];
    }
    return result;
}

}  // namespace

Variant Invoke(const DispatchTable& table, int32_t dispid, InvokeKind kind,
               std::vector<Variant>& args) {
    return InvokeMember(table.Find(dispid), kind, args);
}

Variant Invoke(const DispatchTable& table, std::string_view name, InvokeKind kind,
               std::vector<Variant>& args) {
    return InvokeMember(table.Find(name), kind, args);
}

Variant Invoke(const MemberInfo* member, InvokeKind kind, std::vector<Variant>& args,
               const std::vector<bool>& skipped) {
    return InvokeMember(member, kind, args, &skipped);
}

int EventSource::Advise(std::shared_ptr<EventSink> sink) {
    if (!sink) RaiseError(kErrInvalidCall);
    const int cookie = nextCookie_++;
    sinks_.emplace_back(cookie, std::move(sink));
    return cookie;
}

void EventSource::Unadvise(int cookie) {
    std::erase_if(sinks_, [cookie](const auto& entry) { return entry.first == cookie; });
}

void EventSource::Raise(int32_t dispid, std::vector<Variant>& args) {
    const EventInfo* event = nullptr;
    for (const auto& e : events_) {
        if (e.dispid == dispid) event = &e;
    }
    if (!event) return;
    // A copy: a sink may advise or unadvise while it handles the event.
    const auto sinks = sinks_;
    for (const auto& [cookie, sink] : sinks)
        sink->OnEvent(*event, args);
}

}  // namespace tabula
