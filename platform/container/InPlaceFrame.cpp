#include "platform/container/InPlaceFrame.h"

namespace tabula {

InPlaceFrame::~InPlaceFrame() {
    form_.SetActiveObject(nullptr);
}

void InPlaceFrame::SetActiveObject(KeyMessageSink* sink) {
    form_.SetActiveObject(sink);
}

void InPlaceFrame::ReleaseActiveObject(KeyMessageSink* sink) {
    if (sink && form_.ActiveObject() == sink) form_.SetActiveObject(nullptr);
}

}  // namespace tabula
