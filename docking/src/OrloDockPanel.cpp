#include <orlodock/docking/OrloDockPanel.h>

#include <orlodock/tk/canvas.h>
#include <orlodock/tk/screen.h>
#include <orlodock/tk/streaming.h>
#include <orlodock/tk/widgetcontainer.h>

namespace {

// The site control's own IOrloDockSite, or an empty pointer.
tk::IPtr<IOrloDockSite> SiteOf(tk::Control* control) { return tk::QueryAs<IOrloDockSite>(control); }

} // namespace

TOrloDockablePanel::TOrloDockablePanel(tk::Component* owner) : tk::Panel(nullptr) {
    boundsUnlocked_ = false;
    if (!IsDesigning())
        SetDoubleBuffered(true);
    SetColor(tk::clBtnFace);
    SetBevelOuter(tk::bvNone);
    // The initial size is not subject to the lock.
    tk::Panel::SetBounds(Left(), Top(), 100, 100);
    imageIndex_ = -1;
    // The owner announces a new component to its other components, and dock
    // sites act on panels alone: the panel joins once it is a panel.
    if (owner)
        owner->InsertComponent(this);
}

TOrloDockablePanel::~TOrloDockablePanel() = default;

void TOrloDockablePanel::SetImageIndex(int index) {
    if (index == imageIndex_)
        return;
    imageIndex_ = index;
    if (!dockSite_)
        return;
    tk::IPtr<IOrloDockSite> site = SiteOf(dockSite_);
    if (site && site->GetImages())
        dockSite_->Invalidate();
}

void TOrloDockablePanel::DockInto(IOrloDockSite* site, TOrloDockablePanel* relativePanel, tk::Align position) {
    if (!site)
        return;
    site->InsertDockablePanel(PanelIntf(), relativePanel ? relativePanel->PanelIntf() : nullptr, position);
}

void TOrloDockablePanel::SetBounds(int left, int top, int width, int height) {
    if (!boundsUnlocked_)
        return;
    boundsUnlocked_ = false;
    tk::Panel::SetBounds(left, top, width, height);
}

// ---- content ----

void TOrloDockablePanel::SetContent(QWidget* content) {
    if (!content_) {
        if (!content)
            return;
        auto* container = new tk::WidgetContainer(this);
        container->SetParent(this);
        container->SetAlign(tk::alClient);
        content_ = container;
    }
    content_->SetContent(content);
}

QWidget* TOrloDockablePanel::Content() const { return content_ ? content_->Content() : nullptr; }

// ---- IOrloDockablePanel ----

tk::IPtr<IOrloDockSite> TOrloDockablePanel::GetDockSite() { return SiteOf(dockSite_); }

void TOrloDockablePanel::SetDockSite(IOrloDockSite* site) {
    tk::Control* control = site ? site->GetControl() : nullptr;
    SetDockSiteControl(control);
    SetParent(control);
}

bool TOrloDockablePanel::HasFocus() {
    if (IsDesigning())
        return false;
    const tk::Control* active = tk::Screen::ActiveControl();
    if (!active)
        return false;
    for (const tk::Control* c = active->Parent(); c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

// ---- painting ----

void TOrloDockablePanel::Paint() {
    if (IsDesigning()) {
        tk::Panel::Paint();
        return;
    }
    tk::Canvas* canvas = GetCanvas();
    canvas->Brush()->SetStyle(tk::bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    canvas->TextOut(10, 10, tk::Latin1("Height = ") + tk::IntToStr(Height()));
    canvas->TextOut(10, 45, tk::Latin1("Width = ") + tk::IntToStr(Width()));
}

// ---- component ----

bool TOrloDockablePanel::QueryInterface(const tk::Guid& iid, void** out) {
    return tk::AnswerInterface<IOrloDockablePanel>(this, iid, out) || tk::Panel::QueryInterface(iid, out);
}

void TOrloDockablePanel::GetProperties(tk::PropertyList& list) {
    tk::Panel::GetProperties(list);
    list.AddString(
        tk::Latin1("TitleBarCaption"), [this] { return Caption(); },
        [this](const tk::String& caption) { SetCaption(caption); });
    list.AddInteger(
        tk::Latin1("ImageIndex"), [this] { return std::int64_t(imageIndex_); },
        [this](std::int64_t index) { SetImageIndex(int(index)); });
}

void TOrloDockablePanel::ReadState(tk::Reader& reader) {
    tk::Panel::ReadState(reader);
    // The stream's parent is the panel's parent control; the parent-component
    // setter leaves that to reading, and a panel read into a site is docked there.
    if (auto* parent = dynamic_cast<tk::Control*>(reader.Parent())) {
        SetParent(parent);
        if (SiteOf(parent))
            SetDockSiteControl(parent);
    }
}

void TOrloDockablePanel::SetParentComponent(tk::Component* parent) {
    if (IsLoading())
        return;
    auto* control = dynamic_cast<tk::Control*>(parent);
    SetDockSiteControl(SiteOf(control) ? control : nullptr);
}

tk::String TOrloDockablePanel::ClassName() const { return tk::Latin1("TOrloDockablePanel"); }
