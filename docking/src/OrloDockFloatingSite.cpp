#include <orlodock/docking/OrloDockFloatingSite.h>

#include <vector>

#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/exceptions.h>
#include <orlodock/tk/messages.h>

namespace {

// Checked before the site is made, so that a wrong owner leaves nothing behind.
TOrloFloatingDockSiteHostForm* HostOf(tk::Component* owner) {
    auto* host = dynamic_cast<TOrloFloatingDockSiteHostForm*>(owner);
    if (!host)
        throw tk::EInvalidCast(tk::Latin1("Invalid class typecast"));
    return host;
}

tk::Point ScreenPointOf(const tk::Message& message) { return {tk::PointX(message.LParam), tk::PointY(message.LParam)}; }

} // namespace

// ---- the floating site ----

TOrloFloatingDockSite::TOrloFloatingDockSite(tk::Component* owner) : TOrloDockSite(HostOf(owner)) {
    hostForm_ = static_cast<TOrloFloatingDockSiteHostForm*>(owner);
    SetAlign(tk::alClient);
}

void TOrloFloatingDockSite::Collapse() {
    if (!IsDestroying())
        hostForm_->Hide();
}

void TOrloFloatingDockSite::Expand() {
    // Every layout of a tree that shows something expands: only a hidden
    // window is shown and raised.
    if (IsDestroying() || hostForm_->IsDestroying() || hostForm_->Visible())
        return;
    hostForm_->ShowNoActivate();
    hostForm_->BringToFront();
}

void TOrloFloatingDockSite::ZonesChanged(TOrloDockRootZone* sender) {
    if (sender && sender->ChildCount() == 0 && !IsDestroying())
        hostForm_->ReleaseLater();
}

tk::String TOrloFloatingDockSite::ClassName() const { return tk::Latin1("TOrloFloatingDockSite"); }

// ---- the window ----

TOrloFloatingDockSiteHostForm::TOrloFloatingDockSiteHostForm(tk::Component* owner, IOrloDockManager* manager)
    : tk::Form(owner) {
    SetAutoScroll(false);
    SetBorderStyle(tk::bsSizeToolWin);
    SetFormStyle(tk::fsStayOnTop);
    auto* site = new TOrloFloatingDockSite(this);
    site->SetParent(this);
    site->SetDockManager(manager);
    site_ = site;
    SetVisible(false);
}

void TOrloFloatingDockSiteHostForm::GetDockSite(tk::IPtr<IOrloDockSite>& site) {
    site = tk::IPtr<IOrloDockSite>(site_ ? site_->SiteIntf() : nullptr);
}

IOrloDockManager* TOrloFloatingDockSiteHostForm::Manager() const { return site_ ? site_->DockManager() : nullptr; }

void TOrloFloatingDockSiteHostForm::WndProc(tk::Message& message) {
    const bool onCaption = message.WParam == tk::HTCAPTION;
    if (message.Msg == tk::TK_NCLBUTTONDOWN && onCaption) {
        if (IOrloDockManager* manager = Manager()) {
            lastMousePos_ = ScreenPointOf(message);
            BringToFront();
            manager->BeginDrag(site_->SiteIntf(), lastMousePos_);
            dragging_ = true;
            SetMouseCapture(true);
            SetKeyboardCapture(true);
            message.WParam = tk::HTNOWHERE;
        }
        // Answered here: the window's own move never starts.
        message.Result = 0;
        return;
    }
    if (message.Msg == tk::TK_NCLBUTTONUP && onCaption && dragging_) {
        EndCaptionDrag(ScreenPointOf(message));
        message.Result = 0;
        return;
    }
    tk::Form::WndProc(message);
}

void TOrloFloatingDockSiteHostForm::MouseMove(tk::ShiftState shift, int x, int y) {
    if (dragging_) {
        const tk::Point p = ClientToScreen({x, y});
        const int dx = p.X - lastMousePos_.X;
        const int dy = p.Y - lastMousePos_.Y;
        if (dx == 0 && dy == 0)
            return;
        IOrloDockManager* manager = Manager();
        // While a guide is lit the window stays where it is.
        if (!manager || !manager->DragOver(site_->SiteIntf(), p, BoundsRect())) {
            MoveBy(dx, dy);
            lastMousePos_ = p;
        }
    }
    tk::Form::MouseMove(shift, x, y);
}

void TOrloFloatingDockSiteHostForm::MouseUp(tk::MouseButton button, tk::ShiftState shift, int x, int y) {
    if (button == tk::mbLeft && dragging_) {
        std::weak_ptr<int> alive = LifeToken();
        EndCaptionDrag(lastMousePos_);
        if (alive.expired())
            return;
        if (Visible())
            SetFocus();
    }
    tk::Form::MouseUp(button, shift, x, y);
}

void TOrloFloatingDockSiteHostForm::EndCaptionDrag(tk::Point screen) {
    dragging_ = false;
    SetMouseCapture(false);
    SetKeyboardCapture(false);
    // Docking the content elsewhere empties the site, which releases this
    // window later, from the message loop.
    if (IOrloDockManager* manager = Manager())
        manager->EndDrag(site_->SiteIntf(), false, screen);
}

void TOrloFloatingDockSiteHostForm::KeyDown(int& key, tk::ShiftState shift) {
    tk::Form::KeyDown(key, shift);
    if (!dragging_ || key != tk::VK_ESCAPE)
        return;
    dragging_ = false;
    SetMouseCapture(false);
    SetKeyboardCapture(false);
    if (IOrloDockManager* manager = Manager())
        manager->CancelDrag();
    key = 0;
}

void TOrloFloatingDockSiteHostForm::CloseButtonClick() {
    if (!site_)
        return;
    std::vector<TOrloDockControlZone*> leaves;
    CollectLeaves(site_->RootZone(), leaves);
    // Each panel can be shown again, and the window comes back with it.
    std::vector<tk::ComponentRef<TOrloDockablePanel>> panels(leaves.size());
    for (std::size_t i = 0; i < leaves.size(); ++i)
        panels[i] = leaves[i]->Panel();
    for (const auto& panel : panels)
        if (panel)
            panel->SetVisible(false);
}

tk::String TOrloFloatingDockSiteHostForm::ClassName() const { return tk::Latin1("TOrloFloatingDockSiteHostForm"); }
