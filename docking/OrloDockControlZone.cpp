#include "OrloDockControlZone.h"

#include "OrloDockContainerZone.h"
#include "control.h"

TOrloDockControlZone::TOrloDockControlZone(tk::Component* owner) : TOrloDockZone(owner) {}

tk::String TOrloDockControlZone::ControlName() const { return control_ ? control_->Name() : tk::String(); }

bool TOrloDockControlZone::IsVisible() const { return control_ && control_->Visible(); }

bool TOrloDockControlZone::GetDockRect(IOrloDockZone* source, IOrloDockZone* target, tk::Rect& rect,
                                       tk::Align position) {
    TOrloDockContainerZone* parent = ParentZone();
    return parent ? parent->GetDockRect(source, target, rect, position) : false;
}

bool TOrloDockControlZone::QueryInterface(const tk::Guid& iid, void** out) {
    return tk::AnswerInterface<IOrloDockControlZone>(this, iid, out) || TOrloDockZone::QueryInterface(iid, out);
}

void TOrloDockControlZone::GetProperties(tk::PropertyList& list) {
    TOrloDockZone::GetProperties(list);
    list.AddString(
        tk::String::fromLatin1("ControlName"), [this] { return ControlName(); },
        [this](const tk::String& name) { SetControlName(name); });
}

tk::String TOrloDockControlZone::ClassName() const { return tk::String::fromLatin1("TOrloDockControlZone"); }
