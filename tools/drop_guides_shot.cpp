// The demonstration window with drop guides and the dock preview over it, as
// a drag shows them, for looking at under Xvfb:
//
//   tools/screenshot -c -d 3 /tmp/side.png build/<dir>/tools/drop_guides_shot side
//   tools/screenshot -d 3 /tmp/tab.png build/<dir>/tools/drop_guides_shot tab
//
// Every dock site shows its edge guide, and the last zone of the left site
// the cross. "side" lights the cross's right arrow and previews docking
// beside that zone; "tab" lights the tab and previews docking as a tab.
// Under a compositing manager (-c) the preview is translucent, else a frame.

#include <QTimer>

#include <cstdio>
#include <cstring>

#include "Unit1.h"
#include <orlodock/docking/OrloDockDropZone.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/application.h>
#include <orlodock/tk/screen.h>

namespace {

void Script(TForm1* form, bool tab) {
    TOrloDockRootZone* root = form->LeftDock ? form->LeftDock->RootZone() : nullptr;
    TOrloDockZone* zone = root && root->ChildCount() > 0 ? root->LastChild() : nullptr;
    if (!zone) {
        std::fprintf(stderr, "drop_guides_shot: the left dock site shows no zone\n");
        return;
    }
    // Owned by the application, as the manager's windows are.
    auto* preview = new TOrloDockPreviewWindow(tk::App());
    auto* edges = new TOrloDockDropWindow(tk::App());
    auto* compass = new TOrloDockDropWindow(tk::App());
    const tk::Rect desktop = tk::Screen::DesktopWorkAreaRect();
    edges->SetBoundsRect(desktop);
    compass->SetBoundsRect(desktop);

    for (TOrloDockSite* site : {form->LeftDock, form->RightDock, form->BottomDock, form->TopDock})
        edges->AddSiteZone(site->SiteIntf());
    compass->SetZoneUnderMouse(form->LeftDock->SiteIntf(), zone->ZoneIntf());

    const TOrloDockDropZoneImage& guide = *compass->ZoneUnderMouse()->Image(tab ? dkTab : dkRight);
    const tk::Point over =
        compass->ClientToScreen({guide.Left() + guide.Width() / 2, guide.Top() + guide.Height() / 2});
    tk::Align align = tk::alNone;
    tk::IPtr<IOrloDockSite> site;
    tk::IPtr<IOrloDockZone> target;
    compass->HitTest(over, align, site, target);
    tk::Rect rect;
    if (target && target->GetDockRect(target.get(), target.get(), rect, align))
        preview->ShowPreview(rect, align == tk::alClient, 20);
    // The guides above the preview, so the lit one shows whole.
    edges->ShowGuides(false);
    compass->ShowGuides(true);
}

} // namespace

int main(int argc, char** argv) {
    const bool tab = argc > 1 && std::strcmp(argv[1], "tab") == 0;
    tk::Application* app = tk::App();
    app->Initialize(argc, argv);
    TForm1* form = app->CreateForm<TForm1>();
    // Once the window is on the screen and laid out.
    QTimer::singleShot(1000, [form, tab] { Script(form, tab); });
    return app->Run();
}
