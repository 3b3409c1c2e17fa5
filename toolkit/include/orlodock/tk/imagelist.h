#pragma once

// A list of images of one size, drawn enabled or greyed, with change links
// that tell their owners (e.g. a tab strip) when the list changes.

#include <functional>
#include <vector>

#include <orlodock/tk/bitmap.h>
#include <orlodock/tk/component.h>

namespace tk {

class Canvas;
class ImageList;

// Registered with an image list; OnChange runs on every change of the list.
class ChangeLink {
public:
    ChangeLink() = default;
    ~ChangeLink();
    ChangeLink(const ChangeLink&) = delete;
    ChangeLink& operator=(const ChangeLink&) = delete;

    ImageList* Sender() const { return sender_; }
    void Change() const {
        if (OnChange)
            OnChange(sender_);
    }

    std::function<void(ImageList* sender)> OnChange;

private:
    friend class ImageList;
    ImageList* sender_ = nullptr;
};

class ImageList : public Component {
public:
    explicit ImageList(Component* owner = nullptr);
    ~ImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size clears the list.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    int Count() const { return static_cast<int>(images_.size()); }

    // Adds an image (scaled to the list's size if it differs); answers its index.
    // When mask is given, its non-black pixels are transparent; otherwise the
    // bitmap's own transparency (Transparent/TransparentColor) applies.
    int Add(const Bitmap& image, const Bitmap* mask = nullptr);
    // Adds with an explicit transparent key colour.
    int AddMasked(const Bitmap& image, tk::Color maskColor);
    void Delete(int index);
    void Clear();
    // The image at index as a bitmap (transparent pixels have alpha 0).
    Bitmap GetBitmap(int index) const;

    // Draws image `index` with its top-left at (x, y); disabled draws it greyed.
    // An index outside the list draws nothing.
    void Draw(Canvas& canvas, int x, int y, int index, bool enabled = true) const;

    void RegisterChanges(ChangeLink* link);
    void UnRegisterChanges(ChangeLink* link);
    // Tells every registered link.
    void Change();

    std::function<void(Component* sender)> OnChange;

private:
    int width_ = 16;
    int height_ = 16;
    std::vector<Bitmap> images_;
    std::vector<ChangeLink*> links_;
};

} // namespace tk
