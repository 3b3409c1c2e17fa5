#pragma once

// Docking in an ordinary Qt application: a QWidget to put anywhere in the
// application's widget tree, typically as a QMainWindow's central widget. It
// holds four dock sites, along its left, top, right and bottom edges, and the
// application's central widget in the space they leave. Sites without a
// visible panel collapse to nothing; dragging a site's inner edge resizes it,
// and resizing the Qt window lays the sites out again.
//
//   auto* dock = new TOrloDockHost(this);
//   setCentralWidget(dock);
//   dock->SetCentralWidget(new QPlainTextEdit);
//   dock->AddPanel("Files", new QTreeView, tk::alLeft);
//
// Ownership: Qt's, like any widget (the parent deletes the host). The host
// owns the sites, the manager, the panels it creates and the widgets they
// hold, and frees them all when it is destroyed. Panels the application
// creates itself should be owned by PanelOwner(), where layouts look for them.

#include <array>

#include <orlodock/tk/component.h>
#include <orlodock/tk/controlhost.h>
#include <orlodock/tk/geometry.h>
#include <orlodock/tk/streaming.h>

class TOrloDockSite;
class TOrloDockablePanel;
class TOrloDockingManager;

namespace tk {
class WidgetContainer;
}

class TOrloDockHost : public tk::ControlHost {
public:
    explicit TOrloDockHost(QWidget* parent = nullptr);
    ~TOrloDockHost() override;

    // The site along an edge (tk::alLeft, alTop, alRight or alBottom); nullptr for any other value.
    TOrloDockSite* Site(tk::Align edge) const;
    TOrloDockingManager* Manager() const { return manager_.get(); }
    // The owner of the sites, the manager and the panels.
    tk::Component* PanelOwner() const;

    // The widget in the middle; adopted as a panel's content is (see
    // tk::WidgetContainer): a replaced one is deleted.
    void SetCentralWidget(QWidget* widget);
    QWidget* CentralWidget() const;

    // A new panel holding `content`, docked at an edge after the panels
    // already there. `name` is its component name (letters, digits and
    // underscores), by which layouts know it; the title bar shows `caption`,
    // or the name when the caption is empty.
    TOrloDockablePanel* AddPanel(const tk::String& name, QWidget* content, tk::Align edge,
                                 const tk::String& caption = {});
    // The panel of that name owned by PanelOwner(), or nullptr.
    TOrloDockablePanel* Panel(const tk::String& name) const;

    // Every site's arrangement as one blob (see OrloDockLayouts.h), and back:
    // RestoreLayout raises tk::EReadError for data it refuses, and answers a
    // message for each thing it skipped.
    tk::Bytes SaveLayout() const;
    tk::StringList RestoreLayout(const tk::Bytes& data);

private:
    static constexpr std::array<tk::Align, 4> kEdges{tk::alLeft, tk::alTop, tk::alRight, tk::alBottom};
    std::array<tk::ComponentRef<TOrloDockSite>, 4> sites_;
    tk::ComponentRef<TOrloDockingManager> manager_;
    tk::ComponentRef<tk::WidgetContainer> central_;
};
