#pragma once

// Controls: components that own a window (a QWidget, by composition). A parent
// control lays out its children by their Align value and destroys them when it
// goes. Qt events are translated once, here, into the virtual handlers below;
// visibility changes are also announced through the replaceable window
// procedure (TK_VISIBLECHANGED) after the control has handled them.

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include <orlodock/tk/component.h>
#include <orlodock/tk/cursors.h>
#include <orlodock/tk/geometry.h>
#include <orlodock/tk/graphics.h>
#include <orlodock/tk/messages.h>

class QWidget;

namespace tk {

class Brush;
class Control;
class ControlHost;
class Form;
class ControlBridge;
class InvertLayer;

enum MouseButton { mbLeft, mbRight, mbMiddle };

// Edges of the parent a control keeps its distance to when the parent resizes.
enum AnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using Anchors = unsigned;

using ShiftState = unsigned;
enum ShiftStateFlag : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6,
};

// Control style flags.
enum ControlStyleFlag : unsigned {
    csAcceptsControls = 1u << 0,
    // Pressing a button captures the mouse until the button is released.
    csCaptureMouse = 1u << 1,
    csClickEvents = 1u << 2,
    csOpaque = 1u << 3,
    csDoubleClicks = 1u << 4,
    csSetCaption = 1u << 5,
    csReplicatable = 1u << 6,
};

using NotifyEvent = std::function<void(Component* sender)>;
using MouseEvent = std::function<void(Component* sender, MouseButton button, ShiftState shift, int x, int y)>;
using MouseMoveEvent = std::function<void(Component* sender, ShiftState shift, int x, int y)>;
using KeyEvent = std::function<void(Component* sender, int& key, ShiftState shift)>;

// Size limits of a control; 0 means no limit.
class SizeConstraints {
public:
    int MinWidth() const { return minWidth_; }
    int MinHeight() const { return minHeight_; }
    int MaxWidth() const { return maxWidth_; }
    int MaxHeight() const { return maxHeight_; }
    void SetMinWidth(int v);
    void SetMinHeight(int v);
    void SetMaxWidth(int v);
    void SetMaxHeight(int v);
    // Applies the limits to a proposed size.
    void Apply(int& width, int& height) const;

    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange)
            OnChange();
    }
    int minWidth_ = 0;
    int minHeight_ = 0;
    int maxWidth_ = 0;
    int maxHeight_ = 0;
};

// Raises ERangeError for a value outside alNone to alCustom: alignments come
// from callers and streams, and a stray value must not pass as a side.
void CheckAlign(tk::Align value);

class Control : public Component {
public:
    explicit Control(Component* owner);
    ~Control() override;

    // ---- parent and children ----
    Control* Parent() const { return parent_; }
    virtual void SetParent(Control* parent);
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    Control* Controls(int index) const;
    // True when control is this control or lies anywhere below it.
    bool ContainsControl(const Control* control) const;
    // The form this control is on (itself for a form), or nullptr.
    Form* ParentForm() const;
    // The control whose window is the top-level window of this one.
    Control* TopLevelControl() const;
    // Whether this control has no parent control and its window lies inside a
    // QWidget of the application's (a tk::ControlHost): its bounds are then in
    // that widget's coordinates and its screen position comes from Qt.
    bool Embedded() const;

    // ---- alignment ----
    tk::Align Align() const { return align_; }
    // Refuses values outside the enumeration (CheckAlign).
    void SetAlign(tk::Align value);
    // Lays out the children again.
    void Realign();
    tk::Anchors Anchors() const { return anchors_; }
    void SetAnchors(tk::Anchors value);
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();
    bool AlignDisabled() const { return alignDisabled_ > 0; }

    // ---- visibility and state ----
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // Counts the changes of visibility of every control: what is worked out
    // from many controls' visibility can be kept while this stays the same.
    static std::uint64_t VisibilityChanges();
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to a shown top-level window visible too.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    unsigned ControlStyle() const { return controlStyle_; }
    void SetControlStyle(unsigned style) { controlStyle_ = style; }
    // Painting is always buffered in this toolkit; kept for the property.
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    long long Tag() const { return tag_; }
    void SetTag(long long value) { tag_ = value; }

    // ---- bounds (in the parent's client coordinates; screen for a top-level window) ----
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    // The only way bounds change; a subclass may refuse or alter the request.
    // The base applies the size constraints.
    virtual void SetBounds(int left, int top, int width, int height);
    Rect BoundsRect() const { return tk::BoundsRect(left_, top_, width_, height_); }
    void SetBoundsRect(const Rect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    SizeConstraints& Constraints() { return constraints_; }

    // The client area in client coordinates: (0, 0, ClientWidth, ClientHeight).
    virtual Rect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int value);
    virtual void SetClientHeight(int value);
    // Shrinks the rectangle that aligned children share; subclasses reserve strips here.
    virtual void AdjustClientRect(Rect& rect);
    // Screen position of the client area's top-left corner.
    Point ClientOrigin() const;
    Point ClientToScreen(Point p) const;
    Point ScreenToClient(Point p) const;
    // Bounds in screen coordinates.
    Rect ScreenRect() const;

    // ---- z-order ----
    void BringToFront();
    void SendToBack();

    // ---- appearance ----
    tk::Color Color() const { return color_; }
    void SetColor(tk::Color value);
    tk::Font* Font() { return &font_; }
    const tk::Font* Font() const { return &font_; }
    void SetFont(const tk::Font& font) { font_.Assign(font); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    const String& Caption() const { return caption_; }
    void SetCaption(const String& value);
    tk::Cursor Cursor() const { return cursor_; }
    void SetCursor(tk::Cursor value);
    // The cursor last shown over this control (what GetCursorAt answered).
    tk::Cursor ShownCursor() const { return shownCursor_; }

    // ---- hints ----
    const String& Hint() const { return hint_; }
    void SetHint(const String& value) { hint_ = value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    // Shows text in a hint window at a screen point (replacing any hint shown).
    void ShowHintAt(Point screen, const String& text);
    void CancelHint();

    // ---- painting ----
    void Invalidate();
    void InvalidateRect(const Rect& rect);
    // Invalidates and paints at once.
    void Repaint();
    // Paints what is invalid now.
    void Update();
    // XOR-s the brush (pattern) over rect of this control's client area, above
    // its children; inverting the same rect again restores what was there.
    void InvertRect(const Rect& rect, const tk::Brush& brush);

    // ---- focus ----
    void SetFocus();
    bool Focused() const;
    virtual bool CanFocus() const;
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);

    // ---- window procedure ----
    const WindowProcedure& WindowProc() const { return windowProc_; }
    void SetWindowProc(WindowProcedure proc);
    // What the control does with a message itself (the procedure it starts with).
    void DefaultWindowProc(Message& message) { WndProc(message); }
    // Sends a message through WindowProc() and answers its Result.
    long long Perform(unsigned msg, long long wparam = 0, long long lparam = 0);

    // ---- mouse capture ----
    void SetMouseCapture(bool value);
    bool MouseCapture() const { return CaptureControl() == this; }
    static Control* CaptureControl();
    // While a control holds the keyboard capture, every key goes to it,
    // wherever the focus is: a drag hears its Escape whichever window is active.
    void SetKeyboardCapture(bool value);
    bool KeyboardCapture() const { return KeyboardCaptureControl() == this; }
    static Control* KeyboardCaptureControl();

    // Runs the click handling as if the control was clicked.
    virtual void Click();

    // Expires when the control is destroyed: lets deferred work check that it still exists.
    std::weak_ptr<int> LifeToken() const { return lifeToken_; }

    // Toolkit side: the window.
    QWidget* Widget() const { return widget_.get(); }
    // The control that owns a window, or nullptr.
    static Control* FromWidget(const QWidget* widget);
    // The deepest visible, enabled child control at a client point (this when none), for routing input.
    Control* ControlAtPos(Point client);

    // ---- streaming ----
    void GetProperties(PropertyList& list) override;
    bool HasParent() const override { return true; }
    Component* GetParentComponent() const override;
    void SetParentComponent(Component* parent) override;
    void GetChildren(const std::function<void(Component*)>& proc, Component* root) override;

    // ---- events ----
    NotifyEvent OnResize;
    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    MouseEvent OnMouseDown;
    MouseMoveEvent OnMouseMove;
    MouseEvent OnMouseUp;
    KeyEvent OnKeyDown;
    KeyEvent OnKeyUp;
    NotifyEvent OnMouseEnter;
    NotifyEvent OnMouseLeave;
    NotifyEvent OnEnter;
    NotifyEvent OnExit;

    // ---- dispatch of translated input (the toolkit's event bridge and the test mouse driver) ----
    void DispatchMouseDown(MouseButton button, ShiftState shift, Point client, bool doubleClick = false);
    void DispatchMouseMove(ShiftState shift, Point client);
    void DispatchMouseUp(MouseButton button, ShiftState shift, Point client);
    void DispatchKeyDown(int& key, ShiftState shift);
    void DispatchKeyUp(int& key, ShiftState shift);
    void DispatchMouseEnter();
    void DispatchMouseLeave();

protected:
    // For subclasses that bring their own window type (a button, an edit...).
    // Takes ownership of widget.
    Control(Component* owner, QWidget* widget);

    // Handlers; the base raises the matching On... event.
    virtual void MouseDown(MouseButton button, ShiftState shift, int x, int y);
    virtual void MouseMove(ShiftState shift, int x, int y);
    virtual void MouseUp(MouseButton button, ShiftState shift, int x, int y);
    virtual void DblClick();
    virtual void KeyDown(int& key, ShiftState shift);
    virtual void KeyUp(int& key, ShiftState shift);
    virtual void Resize();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void DoEnter();
    virtual void DoExit();
    // The cursor to show over a client point; the base answers Cursor().
    virtual tk::Cursor GetCursorAt(Point client);
    // Windowless controls paint nothing; custom controls override.
    virtual void Paint() {}
    // What the control does with messages; overrides call the base for the rest.
    virtual void WndProc(Message& message);
    // The alignment of this control changed (or needs applying): realigns the parent.
    virtual void RequestAlign();
    // Lays out the aligned children inside rect (the adjusted client rect).
    virtual void AlignControls(Control* control, Rect& rect);
    // Changes of properties that subclasses mirror in their window.
    virtual void VisibleChanging() {}
    virtual void TextChanged() {}
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void EnabledChanged() {}
    // After the bounds changed (before Resize when the size changed).
    virtual void BoundsChanged() {}
    // A child control was inserted or removed.
    virtual void ControlChange(Control* child, bool inserted);
    // Part of the client area was invalidated (custom controls track it for repainting).
    virtual void Invalidated(const Rect& rect) { (void)rect; }

    void Notification(Component* component, Operation operation) override;

    // Where the client area starts inside the window (a frame drawn by the toolkit).
    virtual Point ClientOffset() const { return {0, 0}; }
    // The frame around the client area changed: children move with the client area.
    void ClientFrameChanged();

    enum class MouseAction { Down, Move, Up };
    // A window whose frame the toolkit draws takes here the mouse messages for
    // its frame (and those of a move or resize it runs itself); client is the
    // pointer in client coordinates. Answers true when it took the message.
    virtual bool FrameMouse(MouseAction action, MouseButton button, Point client) {
        (void)action;
        (void)button;
        (void)client;
        return false;
    }
    // Whether this control is a top-level window (forms).
    virtual bool IsTopLevel() const { return false; }
    // Applies widget geometry; top-level windows place the window on the screen.
    virtual void ApplyGeometry();
    // Applies the explicit visibility to the window.
    virtual void ApplyVisible();

private:
    friend class ControlBridge;
    friend class ControlHost;
    friend class ControlWidget;
    friend class InvertLayer;
    void Init();
    // Puts the window of this control (no parent control, not a form) inside
    // host, or takes it out again with nullptr.
    void EmbedIn(QWidget* host);
    void InsertControl(Control* child);
    void RemoveControl(Control* child);
    void DestroyChildControls();
    void UpdateParentFont();
    void ApplyCursorAt(Point client);
    // TK_PARENTNOTIFY to every ancestor; false when that freed this control.
    bool NotifyParentsOfPress(MouseButton button, Point client);
    void ReleaseCapture();
    void FontChangedInternal();
    // The window system moved or resized a top-level window.
    void WindowGeometryChanged();
    void AlignControl(Control* control);
    // Not where the last alignment pass put it (or never put by one).
    bool MovedSinceAligned() const;
    void ForgetAlignedPlace();
    void ApplyAnchors(int oldClientWidth, int oldClientHeight);

    std::unique_ptr<QWidget> widget_;
    std::unique_ptr<ControlBridge> bridge_;
    std::unique_ptr<InvertLayer> invertLayer_;
    Control* parent_ = nullptr;
    std::vector<Control*> controls_;
    tk::Align align_ = alNone;
    tk::Anchors anchors_ = akLeft | akTop;
    // Handlers may free the control; dispatch checks this token afterwards.
    std::shared_ptr<int> lifeToken_ = std::make_shared<int>(0);
    int alignDisabled_ = 0;
    // Where and in which place among the controls of its edge the parent's
    // last alignment pass put this control (aligned_: whether one did since
    // it got its alignment, its parent or was shown).
    // Where the control stood, and how large its parent's client area was,
    // when its bounds were last set other than by anchoring (Set: known).
    struct AnchorBase {
        Rect Bounds{};
        int ParentWidth = 0;
        int ParentHeight = 0;
        bool Set = false;
    } anchorBase_;
    // Set while anchoring moves the control, which keeps its base.
    bool anchoring_ = false;
    Rect alignedBounds_{};
    int alignRank_ = std::numeric_limits<int>::max();
    bool aligned_ = false;
    bool alignPending_ = false;
    bool aligning_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    bool doubleBuffered_ = false;
    bool tabStop_ = false;
    bool parentFont_ = true;
    bool showHint_ = false;
    unsigned controlStyle_ = csCaptureMouse | csClickEvents | csDoubleClicks;
    long long tag_ = 0;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    SizeConstraints constraints_;
    tk::Color color_ = clWindow;
    tk::Font font_;
    String caption_;
    String hint_;
    tk::Cursor cursor_ = crDefault;
    tk::Cursor shownCursor_ = crDefault;
    WindowProcedure windowProc_;
    bool pressed_ = false;
    bool inFontUpdate_ = false;
};

} // namespace tk
