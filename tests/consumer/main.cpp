// Docks two panels into a site of a form through the installed headers and
// checks that the library's own resources came along: the theme paints its
// close glyph, which is loaded by name. Exits non-zero on any failure.
#include <cstdio>

#include <orlodock/docking/OrloDockManager.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/application.h>
#include <orlodock/tk/bitmap.h>
#include <orlodock/tk/forms.h>

int main(int argc, char** argv) {
    tk::Application* app = tk::App();
    app->Initialize(argc, argv);

    auto* form = new tk::Form(app);
    form->SetClientWidth(640);
    form->SetClientHeight(480);
    auto* manager = new TOrloDockingManager(form);
    auto* site = new TOrloDockSite(form);
    site->SetParent(form);
    site->SetAlign(tk::alLeft);
    site->SetDockManager(manager->Intf());

    auto* files = new TOrloDockablePanel(form);
    files->SetName("Files");
    files->DockInto(site->SiteIntf(), nullptr, tk::alTop);
    auto* outline = new TOrloDockablePanel(form);
    outline->SetName("Outline");
    outline->DockInto(site->SiteIntf(), files, tk::alBottom);

    tk::Bitmap glyph;
    glyph.LoadFromResourceName("ORLO_CLOSE_B");
    const int panels = site->RootZone()->ChildCount();
    std::printf("consumer: %d zones under the root, glyph %dx%d\n", panels, glyph.Width(), glyph.Height());
    const bool ok = panels == 2 && glyph.Width() > 0 && files->Parent() == site && outline->Parent() == site;
    form->Free();
    return ok ? 0 : 1;
}
