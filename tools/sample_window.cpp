// A window built from the toolkit's controls, for looking at under Xvfb:
//   tools/screenshot /tmp/sample.png build/<dir>/tools/tk_sample_window
// Over it: a tool window with the caption and frame the toolkit draws, a
// shaped window and a translucent one (opaque without a compositing manager).

#include <orlodock/tk/application.h>
#include <orlodock/tk/bitmap.h>
#include <orlodock/tk/canvas.h>
#include <orlodock/tk/forms.h>
#include <orlodock/tk/imagelist.h>
#include <orlodock/tk/region.h>
#include <orlodock/tk/stdctrls.h>

using namespace tk;

namespace {

// Shows the canvas operations: lines, frames, clipped text, bitmaps.
class Drawing : public CustomControl {
public:
    explicit Drawing(Component* owner) : CustomControl(owner), images_(new ImageList(this)) {
        images_->SetSize(8, 6);
        Bitmap glyph;
        glyph.LoadFromResourceName("TK_TEST_24BIT");
        images_->AddMasked(glyph, RGBColor(255, 0, 255));
    }

protected:
    void Paint() override {
        tk::Canvas& c = *GetCanvas();
        c.Brush()->SetColor(Color());
        c.FillRect(ClientRect());

        c.Pen()->SetColor(clBlack);
        c.Brush()->SetColor(clCream);
        c.Rectangle(MakeRect(10, 10, 210, 40));
        Rect text = MakeRect(14, 16, 206, 34);
        c.Brush()->SetStyle(bsClear);
        c.Font()->SetColor(clNavy);
        c.DrawText("A caption far too long to fit into its title bar", text, DT_END_ELLIPSIS);
        c.Brush()->SetStyle(bsSolid);

        c.Brush()->SetColor(clActiveCaption);
        c.FillRect(MakeRect(10, 50, 210, 68));
        c.Font()->SetColor(clCaptionText);
        text = MakeRect(13, 51, 180, 67);
        c.Brush()->SetStyle(bsClear);
        c.DrawText("Active title bar", text, DT_END_ELLIPSIS | DT_VCENTER | DT_SINGLELINE);
        c.Brush()->SetStyle(bsSolid);

        // Raised and sunk button frames drawn with move-to / line-to.
        auto frame = [&](Rect r, tk::Color topLeft, tk::Color bottomRight) {
            c.Pen()->SetColor(topLeft);
            c.MoveTo(r.Left, r.Bottom);
            c.LineTo(r.Left, r.Top);
            c.LineTo(r.Right, r.Top);
            c.Pen()->SetColor(bottomRight);
            c.LineTo(r.Right, r.Bottom);
            c.LineTo(r.Left, r.Bottom);
        };
        frame(MakeRect(172, 53, 186, 65), clBtnHighlight, clBtnShadow);
        frame(MakeRect(190, 53, 204, 65), clBtnShadow, clBtnHighlight);

        Bitmap glyph;
        glyph.LoadFromResourceName("TK_TEST_24BIT");
        c.StretchDraw(MakeRect(10, 80, 74, 128), glyph);
        glyph.SetTransparent(true);
        glyph.SetTransparentColor(RGBColor(255, 0, 255));
        c.Draw(90, 80, glyph);
        images_->Draw(c, 110, 80, 0, true);
        images_->Draw(c, 130, 80, 0, false);

        c.Font()->SetColor(clWindowText);
        c.Brush()->SetColor(Color());
        c.TextOut(10, 140, QStringLiteral("Width = %1").arg(Width()));
    }

private:
    ImageList* images_;
};

// A floating tool window: caption (cut with an ellipsis), close button, sizing frame.
Form* MakeToolWindow() {
    auto* form = new Form(App());
    form->SetBorderStyle(bsSizeToolWin);
    form->SetFormStyle(fsStayOnTop);
    form->SetCaption("Floating tool window with a caption too long for it");
    form->SetBounds(400, 260, 220, 150);
    auto* memo = new Memo(form);
    memo->SetParent(form);
    memo->SetAlign(alClient);
    memo->Lines()->Add("Client area of the tool window");
    return form;
}

// A window shaped by a region: a cross of bars with a square in the middle.
Form* MakeShapedWindow() {
    auto* form = new Form(App());
    form->SetBorderStyle(bsNone);
    form->SetColor(clNavy);
    form->SetBounds(700, 40, 160, 160);
    const Region cross =
        Region(MakeRect(60, 0, 100, 160)).United(MakeRect(0, 60, 160, 100)).United(MakeRect(40, 40, 120, 120));
    form->SetWindowRegion(cross);
    return form;
}

// A translucent window shaped like a tab preview: a body with a tab below its left part.
Form* MakeTranslucentWindow() {
    auto* form = new Form(App());
    form->SetBorderStyle(bsNone);
    form->SetColor(0x00FF8000);
    form->SetAlphaBlendValue(70);
    form->SetAlphaBlend(true);
    form->SetBounds(560, 330, 260, 160);
    form->SetWindowRegion(Region(MakeRect(0, 0, 260, 140)).United(MakeRect(5, 140, 55, 160)));
    return form;
}

class SampleForm : public Form {
public:
    explicit SampleForm(Component* owner) : Form(owner) {
        SetCaption("Toolkit sample");
        SetBounds(20, 20, 640, 400);

        auto* top = new Panel(this);
        top->SetParent(this);
        top->SetAlign(alTop);
        top->SetHeight(32);
        top->SetCaption("Top panel (raised bevel)");

        auto* bottom = new Panel(this);
        bottom->SetParent(this);
        bottom->SetAlign(alBottom);
        bottom->SetHeight(40);
        bottom->SetBevelOuter(bvNone);
        bottom->SetColor(clMedGray);
        auto* button = new Button(this);
        button->SetParent(bottom);
        button->SetBounds(8, 8, 89, 25);
        button->SetCaption("Panel1 Visible");
        auto* edit = new Edit(this);
        edit->SetParent(bottom);
        edit->SetBounds(110, 10, 100, 21);
        edit->SetText("single line");

        auto* tree = new TreeView(this);
        tree->SetParent(this);
        tree->SetAlign(alLeft);
        tree->SetWidth(180);
        TreeNode* root = tree->Items()->Add(nullptr, "Root Zone - voVert/voHorz");
        TreeNode* container = tree->Items()->AddChild(root, "Container - voHorz");
        tree->Items()->AddChild(container, "ControlZone Test Panel 1");
        tree->Items()->AddChild(container, "ControlZone Test Panel 3");
        tree->FullExpand();

        auto* memo = new Memo(this);
        memo->SetParent(this);
        memo->SetAlign(alRight);
        memo->SetWidth(150);
        memo->Lines()->Add("Memo1");
        memo->Lines()->Add("second line");

        drawing_ = new Drawing(this);
        drawing_->SetParent(this);
        drawing_->SetAlign(alClient);
        drawing_->SetColor(clWindow);

        auto* child = new Panel(this);
        child->SetParent(drawing_);
        child->SetBounds(150, 150, 100, 50);
        child->SetColor(clOlive);
        child->SetCaption("child");

        OnShow = [this](Component*) {
            // A drag bar over the drawing and its child, and one on the form across the tree.
            drawing_->DrawInvertBar(MakeRect(0, 170, drawing_->Width(), 174));
            drawing_->DrawInvertBarOnParent(MakeRect(176, 32, 180, 328));
            MakeToolWindow()->ShowNoActivate();
            MakeShapedWindow()->ShowOnTop();
            MakeTranslucentWindow()->ShowOnTop();
        };
    }

private:
    Drawing* drawing_;
};

} // namespace

int main(int argc, char** argv) {
    App()->Initialize(argc, argv);
    App()->CreateForm<SampleForm>();
    return App()->Run();
}
