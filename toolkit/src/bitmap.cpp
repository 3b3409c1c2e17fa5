#include <orlodock/tk/bitmap.h>

#include <QFile>
#include <QImage>
#include <unordered_map>

#include "qtconvert.h"
#include <orlodock/tk/canvas.h>
#include <orlodock/tk/exceptions.h>

namespace tk {

namespace {

// Pixels are kept opaque premultiplied ARGB: the fastest format to paint with.
constexpr QImage::Format kFormat = QImage::Format_ARGB32_Premultiplied;

struct DecodedResource {
    QImage Image;
    PixelFormat Format;
};

QString ResourcePath(const String& name) { return QStringLiteral(":/orlo/") + name + QStringLiteral(".bmp"); }

PixelFormat BmpPixelFormat(const QByteArray& data) {
    // BITMAPINFOHEADER: bit count at offset 14 + 14.
    if (data.size() < 30 || data[0] != 'B' || data[1] != 'M')
        return pfCustom;
    int bits = static_cast<unsigned char>(data[28]) | (static_cast<unsigned char>(data[29]) << 8);
    switch (bits) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 16:
        return pf16bit;
    case 24:
        return pf24bit;
    case 32:
        return pf32bit;
    default:
        return pfCustom;
    }
}

} // namespace

Bitmap::Bitmap() : image_(std::make_unique<QImage>()) {}

Bitmap::Bitmap(int width, int height) : image_(std::make_unique<QImage>()) { SetSize(width, height); }

Bitmap::Bitmap(const Bitmap& other)
    : image_(std::make_unique<QImage>(*other.image_)), transparent_(other.transparent_),
      transparentColorSet_(other.transparentColorSet_), transparentColor_(other.transparentColor_),
      format_(other.format_) {}

Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this != &other) {
        *image_ = *other.image_;
        transparent_ = other.transparent_;
        transparentColorSet_ = other.transparentColorSet_;
        transparentColor_ = other.transparentColor_;
        format_ = other.format_;
    }
    return *this;
}

Bitmap::~Bitmap() = default;

bool Bitmap::ResourceExists(const String& name) { return !name.isEmpty() && QFile::exists(ResourcePath(name)); }

void Bitmap::LoadFromResourceName(const String& name) {
    // Resources never change while the program runs: each is decoded once,
    // and every bitmap loaded from it shares those pixels until it changes them.
    static std::unordered_map<String, DecodedResource> decoded;
    auto it = decoded.find(name);
    if (it == decoded.end()) {
        QFile file(ResourcePath(name));
        if (name.isEmpty() || !file.open(QIODevice::ReadOnly))
            throw EResNotFound(QStringLiteral("Resource %1 not found").arg(name));
        const QByteArray data = file.readAll();
        QImage image;
        if (!image.loadFromData(data, "BMP"))
            throw EResNotFound(QStringLiteral("Resource %1 not found").arg(name));
        SetImage(image);
        it = decoded.emplace(name, DecodedResource{*image_, BmpPixelFormat(data)}).first;
    }
    *image_ = it->second.Image;
    format_ = it->second.Format;
}

void Bitmap::LoadFromFile(const String& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Cannot open file \"%1\"").arg(fileName));
    QByteArray data = file.readAll();
    QImage image;
    if (!image.loadFromData(data))
        throw Exception(QStringLiteral("Bitmap image is not valid"));
    SetImage(image);
    format_ = BmpPixelFormat(data);
    if (format_ == pfCustom)
        format_ = pf32bit;
}

int Bitmap::Width() const { return image_->width(); }
int Bitmap::Height() const { return image_->height(); }
bool Bitmap::Empty() const { return image_->isNull() || image_->width() == 0 || image_->height() == 0; }

void Bitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height() && !image_->isNull())
        return;
    if (width == 0 || height == 0) {
        *image_ = QImage();
        return;
    }
    QImage next(width, height, kFormat);
    next.fill(Qt::white);
    if (!image_->isNull()) {
        for (int y = 0; y < std::min(height, image_->height()); ++y)
            for (int x = 0; x < std::min(width, image_->width()); ++x)
                next.setPixel(x, y, image_->pixel(x, y));
    }
    *image_ = next;
}

const std::uint32_t* Bitmap::ScanLine(int y) const {
    static_assert(sizeof(QRgb) == sizeof(std::uint32_t));
    // Every pixel is opaque, so the premultiplied value is the plain one.
    return reinterpret_cast<const std::uint32_t*>(image_->constScanLine(y));
}

std::uint32_t Bitmap::ScanLineValue(tk::Color color) { return ToQRgb(color); }

std::int64_t Bitmap::ContentKey() const { return image_->cacheKey(); }

Color Bitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return clNone;
    return FromQRgb(image_->pixel(x, y));
}

void Bitmap::SetPixel(int x, int y, tk::Color color) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    image_->setPixel(x, y, ToQRgb(color));
}

Color Bitmap::TransparentColor() const {
    if (transparentColorSet_)
        return transparentColor_;
    if (Empty())
        return clNone;
    return Pixel(0, Height() - 1);
}

void Bitmap::SetTransparentColor(tk::Color color) {
    transparentColor_ = ColorToRGB(color);
    transparentColorSet_ = true;
}

tk::Canvas* Bitmap::Canvas() {
    if (!canvas_)
        canvas_ = std::make_unique<tk::Canvas>([this] { return image_.get(); }, nullptr);
    return canvas_.get();
}

const QImage& Bitmap::Image() const { return *image_; }
QImage& Bitmap::Image() { return *image_; }

void Bitmap::SetImage(const QImage& image) {
    // Opaque pixels: alpha in 32-bit files is not part of a bitmap's colour.
    *image_ = image.convertToFormat(QImage::Format_RGB32).convertToFormat(kFormat);
    format_ = pf32bit;
}

Bitmap MakeCheckerPattern(tk::Color a, tk::Color b) {
    Bitmap bmp(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            bmp.SetPixel(x, y, ((x + y) % 2 == 0) ? a : b);
    return bmp;
}

} // namespace tk
