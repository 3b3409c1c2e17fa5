#include "Unit1.h"

#include <orlodock/docking/OrloDockManager.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>

namespace {

constexpr tk::Color clOliveDemo = tk::clOlive;

// A single-line edit owned by and placed on a test panel.
void AddPanelEdit(TOrloDockablePanel* panel) {
    auto* edit = new tk::Edit(panel);
    edit->SetTop(25);
    edit->SetLeft(10);
    edit->SetWidth(100);
    edit->SetHeight(15);
    edit->SetParent(panel);
}

void ToggleVisible(TOrloDockablePanel* panel) {
    // The panel may have been freed with its delete button.
    if (panel)
        panel->SetVisible(!panel->Visible());
}

} // namespace

TForm1::TForm1(tk::Component* owner) : tk::Form(owner) {
    SetName(QStringLiteral("Form1"));
    // Assigned first, as loading the window's layout would: sizing the client
    // area then already writes the size caption.
    OnCreate = [this](tk::Component* sender) { FormCreate(sender); };
    OnResize = [this](tk::Component* sender) { FormResize(sender); };
    BuildLayout();
}

tk::Button* TForm1::AddButton(const char* name, int left, int top, int width, const char* caption, bool visible,
                              void (TForm1::*handler)(tk::Component*)) {
    auto* button = new tk::Button(this);
    button->SetName(QString::fromLatin1(name));
    button->SetBounds(left, top, width, 25);
    button->SetCaption(QString::fromLatin1(caption));
    button->SetVisible(visible);
    button->OnClick = [this, handler](tk::Component* sender) { (this->*handler)(sender); };
    button->SetParent(Panel2);
    return button;
}

void TForm1::BuildLayout() {
    SetCaption(QStringLiteral("Form1"));
    SetLeft(0);
    SetTop(152);
    SetClientWidth(1016);
    SetClientHeight(420);
    SetColor(tk::clWindow);
    tk::Font font = *Font();
    font.SetName(QStringLiteral("MS Sans Serif"));
    font.SetHeight(-11);
    SetFont(font);
    SetAutoScroll(false);

    Panel2 = new tk::Panel(this);
    Panel2->SetName(QStringLiteral("Panel2"));
    Panel2->SetCaption(QStringLiteral("Panel2"));
    Panel2->SetColor(tk::clMedGray);
    Panel2->SetParent(this);
    Panel2->SetAlign(tk::alClient);

    Button1 = AddButton("Button1", 8, 120, 75, "Button1", false, &TForm1::Button1Click);
    Button2 = AddButton("Button2", 8, 152, 75, "Button2", false, &TForm1::Button2Click);
    Button3 = AddButton("Button3", 8, 184, 75, "Button3", false, &TForm1::Button3Click);
    Button4 = AddButton("Button4", 8, 216, 75, "Button4", false, &TForm1::Button4Click);
    Button5 = AddButton("Button5", 8, 248, 75, "Button5", false, &TForm1::Button5Click);
    Button6 = AddButton("Button6", 96, 120, 89, "Panel1 Visible", true, &TForm1::Button6Click);
    Button7 = AddButton("Button7", 96, 152, 89, "Panel2 Visible", true, &TForm1::Button7Click);
    Button8 = AddButton("Button8", 96, 184, 89, "Panel3 Visible", true, &TForm1::Button8Click);
    Button9 = AddButton("Button9", 96, 216, 89, "Panel4 Visible", true, &TForm1::Button9Click);
    Button10 = AddButton("Button10", 96, 248, 89, "Panel5 Visible", true, &TForm1::Button10Click);
    Button14 = AddButton("Button14", 200, 120, 81, "Delete Panel 1", false, &TForm1::Button14Click);
    Button13 = AddButton("Button13", 200, 152, 81, "Delete Panel 2", false, &TForm1::Button13Click);
    Button12 = AddButton("Button12", 200, 184, 81, "Delete Panel 3", false, &TForm1::Button12Click);
    Button11 = AddButton("Button11", 200, 216, 81, "Delete Panel 4", false, &TForm1::Button11Click);
    Button15 = AddButton("Button15", 200, 248, 75, "DumpZones", true, &TForm1::Button15Click);

    TreeView1 = new tk::TreeView(this);
    TreeView1->SetName(QStringLiteral("TreeView1"));
    TreeView1->SetBounds(296, 8, 561, 153);
    TreeView1->SetIndent(19);
    TreeView1->SetAnchors(tk::akLeft | tk::akTop | tk::akBottom);
    TreeView1->SetParent(Panel2);

    Memo1 = new tk::Memo(this);
    Memo1->SetName(QStringLiteral("Memo1"));
    Memo1->SetBounds(296, 168, 561, 245);
    Memo1->Lines()->SetText(QStringLiteral("Memo1"));
    Memo1->SetParent(Panel2);
}

void TForm1::FormCreate(tk::Component*) {
    Panel2->SetAlign(tk::alNone);

    DockingManager = new TOrloDockingManager(this);
    DockingManager->OnDebug = [this](const tk::String& msg) { DockingDebug(msg); };

    LeftDock = new TOrloDockSite(this);
    LeftDock->SetParent(this);
    LeftDock->SetAlign(tk::alLeft);
    LeftDock->SetWidth(300);
    LeftDock->SetName(QStringLiteral("LeftDock"));
    LeftDock->SetDockManager(DockingManager->Intf());

    RightDock = new TOrloDockSite(this);
    RightDock->SetName(QStringLiteral("RightDock"));
    RightDock->SetVisible(true);
    RightDock->SetParent(this);
    RightDock->SetAlign(tk::alRight);
    RightDock->SetDockManager(DockingManager->Intf());

    BottomDock = new TOrloDockSite(this);
    BottomDock->SetName(QStringLiteral("BottomDock"));
    BottomDock->SetParent(this);
    BottomDock->SetAlign(tk::alBottom);
    BottomDock->SetDockManager(DockingManager->Intf());
    BottomDock->Constraints().SetMinHeight(5);
    BottomDock->SetVisible(true);

    TopDock = new TOrloDockSite(this);
    TopDock->SetName(QStringLiteral("TopDock"));
    TopDock->SetParent(this);
    TopDock->SetAlign(tk::alTop);
    TopDock->SetDockManager(DockingManager->Intf());
    TopDock->Constraints().SetMinHeight(5);
    TopDock->SetVisible(true);

    Panel2->SetAlign(tk::alClient);

    Button1->Click();
    Button2->Click();
    Button3->Click();
    Button4->Click();
    Button5->Click();
}

void TForm1::FormResize(tk::Component*) {
    SetCaption(QStringLiteral("Height = ") + tk::IntToStr(ClientHeight()) + QStringLiteral(" width = ") +
               tk::IntToStr(ClientWidth()));
}

void TForm1::DockingDebug(const tk::String& msg) { (void)msg; }

void TForm1::Button1Click(tk::Component*) {
    TestPanel1 = new TOrloDockablePanel(this);
    TestPanel1->SetColor(tk::clWindow);
    TestPanel1->SetTitleBarCaption(QStringLiteral("Test Panel 1"));
    AddPanelEdit(TestPanel1);
    TestPanel1->DockInto(LeftDock->SiteIntf(), nullptr, tk::alNone);
}

void TForm1::Button2Click(tk::Component*) {
    TestPanel2 = new TOrloDockablePanel(this);
    TestPanel2->SetColor(tk::clWindow);
    TestPanel2->SetTitleBarCaption(QStringLiteral("Test Panel 2"));
    TestPanel2->DockInto(RightDock->SiteIntf(), nullptr, tk::alBottom);
    AddPanelEdit(TestPanel2);
}

void TForm1::Button3Click(tk::Component*) {
    TestPanel3 = new TOrloDockablePanel(this);
    TestPanel3->SetTitleBarCaption(QStringLiteral("Test Panel 3"));
    TestPanel3->SetColor(tk::clWindow);
    TestPanel3->DockInto(LeftDock->SiteIntf(), nullptr, tk::alRight);
}

void TForm1::Button4Click(tk::Component*) {
    TestPanel4 = new TOrloDockablePanel(LeftDock);
    TestPanel4->SetTitleBarCaption(QStringLiteral("Test Panel 4"));
    TestPanel4->SetColor(tk::clBtnFace);
    TestPanel4->DockInto(RightDock->SiteIntf(), TestPanel2, tk::alBottom);
}

void TForm1::Button5Click(tk::Component*) {
    TestPanel5 = new TOrloDockablePanel(LeftDock);
    TestPanel5->SetTitleBarCaption(QStringLiteral("Test Panel 5"));
    TestPanel5->SetColor(clOliveDemo);
    TestPanel5->DockInto(BottomDock->SiteIntf(), nullptr, tk::alBottom);
}

void TForm1::Button6Click(tk::Component*) { ToggleVisible(TestPanel1); }
void TForm1::Button7Click(tk::Component*) { ToggleVisible(TestPanel2); }
void TForm1::Button8Click(tk::Component*) { ToggleVisible(TestPanel3); }
void TForm1::Button9Click(tk::Component*) { ToggleVisible(TestPanel4); }
void TForm1::Button10Click(tk::Component*) { ToggleVisible(TestPanel5); }

// Each delete button empties its field before the panel is freed; pressing it
// again finds the field empty and does nothing.
void TForm1::Button14Click(tk::Component*) { tk::Component::FreeAndNil(TestPanel1); }
void TForm1::Button13Click(tk::Component*) { tk::Component::FreeAndNil(TestPanel2); }
void TForm1::Button12Click(tk::Component*) { tk::Component::FreeAndNil(TestPanel3); }
void TForm1::Button11Click(tk::Component*) { tk::Component::FreeAndNil(TestPanel4); }

void TForm1::Button15Click(tk::Component*) {
    if (!LeftDock || !LeftDock->RootZone())
        return;
    TreeView1->Items()->Clear();
    DumpZone(LeftDock->RootZone(), nullptr);
    TreeView1->FullExpand();
}

void TForm1::DumpZone(TOrloDockZone* zone, tk::TreeNode* parentItem) {
    auto containerText = [](TOrloDockContainerZone* c) {
        return c->ZoneID() + QLatin1Char(' ') + OrientationName(c->Orientation()) + QLatin1Char('/') +
               OrientationName(c->ChildOrientation()) + QLatin1Char(' ') + tk::IntToStr(c->ParentSizePercentage());
    };
    tk::String text;
    auto* container = dynamic_cast<TOrloDockContainerZone*>(zone);
    if (auto* root = dynamic_cast<TOrloDockRootZone*>(zone)) {
        text = QStringLiteral("Root Zone - ") + root->ZoneID() + QLatin1Char(' ') +
               OrientationName(root->Orientation()) + QLatin1Char('/') + OrientationName(root->ChildOrientation());
    } else if (auto* tabbed = dynamic_cast<TOrloDockTabbedContainerZone*>(zone)) {
        text = QStringLiteral("Tabbed Container - ") + containerText(tabbed);
    } else if (container) {
        text = QStringLiteral("Container - ") + containerText(container);
    } else if (auto* leaf = dynamic_cast<TOrloDockControlZone*>(zone)) {
        auto* panel = dynamic_cast<TOrloDockablePanel*>(leaf->GetControl());
        const tk::String caption = panel ? panel->TitleBarCaption() : tk::String();
        text = (parentItem ? QStringLiteral("ControlZone ") : QStringLiteral("ControlZone - ")) + leaf->ZoneID() +
               QLatin1Char(' ') + caption + QLatin1Char(' ') + OrientationName(leaf->Orientation()) + QLatin1Char(' ') +
               tk::IntToStr(leaf->ParentSizePercentage());
    } else {
        return;
    }

    tk::TreeNode* item =
        parentItem ? TreeView1->Items()->AddChild(parentItem, text) : TreeView1->Items()->Add(nullptr, text);
    if (!container)
        return;
    for (int i = 0; i < container->ChildCount(); ++i)
        DumpZone(container->Child(i), item);
}
