// The demonstration window with a scripted drag of the splitter between the
// first two zones of its left dock site, for looking at under Xvfb:
//
//   tools/screenshot -d 3 /tmp/during.png build/<dir>/tools/splitter_drag_shot during
//   tools/screenshot -d 3 /tmp/after.png  build/<dir>/tools/splitter_drag_shot after
//
// "during" presses the splitter and moves the mouse with the button held, so
// the drag bar stands where the splitter will go; "after" also releases it.
// "edge" holds a drag of the site's inner edge instead, "hover" only rests
// the pointer on the first zone's close button.
// An optional second argument is the distance in pixels (default -90: leftwards).

#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Unit1.h"
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/application.h>

namespace {

enum class Mode { During, After, Edge, Hover };

void Script(TForm1* form, Mode mode, int distance) {
    TOrloDockSite* site = form->LeftDock;
    TOrloDockRootZone* root = site ? site->RootZone() : nullptr;
    TOrloDockZone* first = root && root->ChildCount() > 0 ? root->Child(0) : nullptr;
    if (!first) {
        std::fprintf(stderr, "splitter_drag_shot: the left dock site shows no zone\n");
        return;
    }
    const tk::Rect b = first->Bounds();
    const bool sideBySide = root->ChildOrientation() == voVert;
    if (mode == Mode::Hover) {
        tk::IPtr<IOrloDockTheme> theme;
        site->GetTheme(theme);
        tk::Rect close;
        theme->GetCloseButtonRect(first->ZoneIntf(), close);
        site->DispatchMouseMove(0, {(close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2});
        return;
    }
    tk::Point start =
        sideBySide ? tk::Point{b.Right - 2, (b.Top + b.Bottom) / 2} : tk::Point{(b.Left + b.Right) / 2, b.Bottom - 2};
    if (mode == Mode::Edge) {
        const tk::Rect edge = site->EdgeSplitterRect();
        start = {(edge.Left + edge.Right) / 2, (edge.Top + edge.Bottom) / 2};
    }
    site->DispatchMouseMove(0, start);
    site->DispatchMouseDown(tk::mbLeft, tk::ssLeft, start);
    tk::Point p = start;
    for (int i = 1; i <= 6; ++i) {
        const int d = distance * i / 6;
        p = sideBySide ? tk::Point{start.X + d, start.Y} : tk::Point{start.X, start.Y + d};
        site->DispatchMouseMove(tk::ssLeft, p);
    }
    if (mode == Mode::After)
        site->DispatchMouseUp(tk::mbLeft, 0, p);
}

} // namespace

int main(int argc, char** argv) {
    Mode mode = Mode::During;
    if (argc > 1 && std::strcmp(argv[1], "after") == 0)
        mode = Mode::After;
    else if (argc > 1 && std::strcmp(argv[1], "edge") == 0)
        mode = Mode::Edge;
    else if (argc > 1 && std::strcmp(argv[1], "hover") == 0)
        mode = Mode::Hover;
    const int distance = argc > 2 ? std::atoi(argv[2]) : -90;

    tk::Application* app = tk::App();
    app->Initialize(argc, argv);
    TForm1* form = app->CreateForm<TForm1>();
    // Once the window is on the screen and laid out.
    QTimer::singleShot(1000, [form, mode, distance] { Script(form, mode, distance); });
    return app->Run();
}
