// The guide bitmaps and the values every part of the drop guides shares.

#include <orlodock/docking/OrloDockDropZone.h>

#include <orlodock/tk/exceptions.h>

namespace {

constexpr const char* kUnit = "OrloDockDropZone";

tk::String ZoneResourceName(TOrloDockDropKind kind) {
    switch (kind) {
    case dkLeft:
        return tk::String::fromLatin1("ORLODOCK_LEFT");
    case dkRight:
        return tk::String::fromLatin1("ORLODOCK_RIGHT");
    case dkTop:
        return tk::String::fromLatin1("ORLODOCK_TOP");
    case dkBottom:
        return tk::String::fromLatin1("ORLODOCK_BOTTOM");
    case dkTab:
        return tk::String::fromLatin1("ORLODOCK_TAB");
    default:
        return {};
    }
}

} // namespace

tk::IPtr<IOrloDockDropZoneTheme> DropZoneTheme(new TOrloDockDropZoneTheme);

tk::Align DropKindPosition(TOrloDockDropKind kind) {
    switch (kind) {
    case dkLeft:
        return tk::alLeft;
    case dkRight:
        return tk::alRight;
    case dkTop:
        return tk::alTop;
    case dkBottom:
        return tk::alBottom;
    case dkTab:
        return tk::alClient;
    default:
        return tk::alNone;
    }
}

void TOrloRegionData::SetSize(std::int32_t size) {
    tk::Assert(size >= 0, "Region data size is negative", kUnit);
    if (size == 0)
        data_ = tk::Bytes();
    else
        data_.resize(size);
}

TOrloDockDropZoneTheme::~TOrloDockDropZoneTheme() = default;

std::unique_ptr<tk::Bitmap> TOrloDockDropZoneTheme::GetZoneBitmap(TOrloDockDropKind kind, TOrloDockDropState state) {
    tk::String name = ZoneResourceName(kind);
    tk::Assert(!name.isEmpty(), "Assertion failure", kUnit);
    if (state == dsHot)
        name += tk::String::fromLatin1("_HOT");
    else if (state == dsDisabled)
        name += tk::String::fromLatin1("_DISABLED");
    return LoadBitmap(name);
}

std::unique_ptr<tk::Bitmap> TOrloDockDropZoneTheme::GetCentreBitmap() {
    return LoadBitmap(tk::String::fromLatin1("ORLODOCK_CENTER"));
}

tk::String TOrloDockDropZoneTheme::GetThemeName() { return tk::String::fromLatin1("Orlo2005"); }

std::unique_ptr<tk::Bitmap> TOrloDockDropZoneTheme::LoadBitmap(const tk::String& resourceName) {
    // The toolkit decodes each resource once; every guide gets its own bitmap
    // sharing those pixels.
    auto bitmap = std::make_unique<tk::Bitmap>();
    bitmap->SetPixelFormat(tk::pf32bit);
    bitmap->LoadFromResourceName(resourceName);
    return bitmap;
}

bool TOrloDockDropZoneTheme::QueryInterface(const tk::Guid& iid, void** out) {
    return tk::AnswerInterface<IOrloDockDropZoneTheme>(this, iid, out) ||
           tk::AnswerInterface<tk::IInterface>(static_cast<IOrloDockDropZoneTheme*>(this), iid, out);
}

int TOrloDockDropZoneTheme::AddRef() { return ++refCount_; }

int TOrloDockDropZoneTheme::Release() {
    const int count = --refCount_;
    if (count == 0)
        delete this;
    return count;
}
