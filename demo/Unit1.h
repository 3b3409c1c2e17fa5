#pragma once

// The demonstration window: a docking manager, four edge sites, five test
// panels docked at start-up, and buttons that toggle, free and list them.

#include <orlodock/tk/button.h>
#include <orlodock/tk/edit.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/panel.h>
#include <orlodock/tk/treeview.h>

class TOrloDockingManager;
class TOrloDockSite;
class TOrloDockablePanel;
class TOrloDockZone;

class TForm1 : public tk::Form {
public:
    explicit TForm1(tk::Component* owner);

    // Controls of the window's layout, all children of Panel2.
    tk::Panel* Panel2 = nullptr;
    tk::Button* Button1 = nullptr;
    tk::Button* Button2 = nullptr;
    tk::Button* Button3 = nullptr;
    tk::Button* Button4 = nullptr;
    tk::Button* Button5 = nullptr;
    tk::Button* Button6 = nullptr;
    tk::Button* Button7 = nullptr;
    tk::Button* Button8 = nullptr;
    tk::Button* Button9 = nullptr;
    tk::Button* Button10 = nullptr;
    tk::Button* Button14 = nullptr;
    tk::Button* Button13 = nullptr;
    tk::Button* Button12 = nullptr;
    tk::Button* Button11 = nullptr;
    tk::Button* Button15 = nullptr;
    tk::TreeView* TreeView1 = nullptr;
    tk::Memo* Memo1 = nullptr;

    // Created at run time by FormCreate and the hidden buttons.
    TOrloDockingManager* DockingManager = nullptr;
    TOrloDockSite* LeftDock = nullptr;
    TOrloDockSite* RightDock = nullptr;
    TOrloDockSite* BottomDock = nullptr;
    TOrloDockSite* TopDock = nullptr;
    TOrloDockablePanel* TestPanel1 = nullptr;
    TOrloDockablePanel* TestPanel2 = nullptr;
    TOrloDockablePanel* TestPanel3 = nullptr;
    TOrloDockablePanel* TestPanel4 = nullptr;
    TOrloDockablePanel* TestPanel5 = nullptr;

    void FormCreate(tk::Component* sender);
    void FormResize(tk::Component* sender);
    void DockingDebug(const tk::String& msg);

    void Button1Click(tk::Component* sender);
    void Button2Click(tk::Component* sender);
    void Button3Click(tk::Component* sender);
    void Button4Click(tk::Component* sender);
    void Button5Click(tk::Component* sender);
    void Button6Click(tk::Component* sender);
    void Button7Click(tk::Component* sender);
    void Button8Click(tk::Component* sender);
    void Button9Click(tk::Component* sender);
    void Button10Click(tk::Component* sender);
    void Button11Click(tk::Component* sender);
    void Button12Click(tk::Component* sender);
    void Button13Click(tk::Component* sender);
    void Button14Click(tk::Component* sender);
    void Button15Click(tk::Component* sender);

    void DumpZone(TOrloDockZone* zone, tk::TreeNode* parentItem);

private:
    void BuildLayout();
    tk::Button* AddButton(const char* name, int left, int top, int width, const char* caption, bool visible,
                          void (TForm1::*handler)(tk::Component*));
};
