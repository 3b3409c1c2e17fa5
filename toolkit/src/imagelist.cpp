#include <orlodock/tk/imagelist.h>

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "qtconvert.h"
#include <orlodock/tk/canvas.h>

namespace tk {

ChangeLink::~ChangeLink() {
    if (sender_)
        sender_->UnRegisterChanges(this);
}

ImageList::ImageList(Component* owner) : Component(owner) {}

ImageList::~ImageList() {
    for (ChangeLink* link : links_)
        link->sender_ = nullptr;
}

void ImageList::SetSize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    images_.clear();
    Change();
}

namespace {

// Images are stored with alpha: transparent pixels have alpha 0.
Bitmap ToListImage(const QImage& src, int width, int height) {
    QImage img = src.convertToFormat(QImage::Format_ARGB32);
    if (img.width() != width || img.height() != height)
        img = img.scaled(width, height);
    Bitmap bmp;
    bmp.Image() = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return bmp;
}

} // namespace

int ImageList::Add(const Bitmap& image, const Bitmap* mask) {
    QImage img = image.Image().convertToFormat(QImage::Format_ARGB32);
    if (mask && !mask->Empty()) {
        QImage m = mask->Image().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < std::min(img.height(), m.height()); ++y)
            for (int x = 0; x < std::min(img.width(), m.width()); ++x)
                if ((m.pixel(x, y) & 0xFFFFFF) != 0)
                    img.setPixel(x, y, 0);
    } else if (image.Transparent()) {
        const QRgb key = ToQRgb(image.TransparentColor()) & 0xFFFFFF;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) & 0xFFFFFF) == key)
                    img.setPixel(x, y, 0);
    }
    images_.push_back(ToListImage(img, width_, height_));
    Change();
    return Count() - 1;
}

int ImageList::AddMasked(const Bitmap& image, tk::Color maskColor) {
    Bitmap copy(image);
    copy.SetTransparent(true);
    copy.SetTransparentColor(maskColor);
    return Add(copy);
}

void ImageList::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    images_.erase(images_.begin() + index);
    Change();
}

void ImageList::Clear() {
    if (images_.empty())
        return;
    images_.clear();
    Change();
}

Bitmap ImageList::GetBitmap(int index) const {
    if (index < 0 || index >= Count())
        return Bitmap();
    return images_[static_cast<size_t>(index)];
}

void ImageList::Draw(Canvas& canvas, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count())
        return;
    const QImage& src = images_[static_cast<size_t>(index)].Image();
    QImage img = src.convertToFormat(QImage::Format_ARGB32);
    if (!enabled) {
        // Greyed: light grey where the image is light, shadow where it is dark.
        const QRgb light = ToQRgb(clBtnHighlight), dark = ToQRgb(clBtnShadow);
        for (int row = 0; row < img.height(); ++row) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(row));
            for (int col = 0; col < img.width(); ++col) {
                if (qAlpha(line[col]) == 0)
                    continue;
                line[col] = qGray(line[col]) >= 160 ? light : dark;
            }
        }
    }
    canvas.DrawImage(x, y, img);
}

void ImageList::RegisterChanges(ChangeLink* link) {
    if (!link)
        return;
    if (link->sender_ && link->sender_ != this)
        link->sender_->UnRegisterChanges(link);
    if (std::find(links_.begin(), links_.end(), link) == links_.end())
        links_.push_back(link);
    link->sender_ = this;
}

void ImageList::UnRegisterChanges(ChangeLink* link) {
    if (!link)
        return;
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
    if (link->sender_ == this)
        link->sender_ = nullptr;
}

void ImageList::Change() {
    // A listener may unregister while being told; iterate over a copy.
    std::vector<ChangeLink*> links = links_;
    for (ChangeLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->Change();
    if (OnChange)
        OnChange(this);
}

} // namespace tk
