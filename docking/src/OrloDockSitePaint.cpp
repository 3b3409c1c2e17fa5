#include <orlodock/docking/OrloDockSite.h>

#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/canvas.h>

// The whole client area is painted here, so the background is never erased
// first; the zones draw their title bars and buttons over the site's colour.
void TOrloDockSite::Paint() {
    tk::Canvas* canvas = GetCanvas();
    const tk::Rect client = ClientRect();
    canvas->Brush()->SetStyle(tk::bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->Pen()->SetColor(Color());
    canvas->SetFont(*Font());
    canvas->FillRect(client);
    if (rootZone_)
        rootZone_->Paint();
}
