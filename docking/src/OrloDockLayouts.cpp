// The blob: signature "ODLS", format version (16 bits), payload length (32
// bits) and a CRC-16 of the payload (16 bits), integers little-endian, then
// the payload: the number of sites and, for each, its key, alignment, extent,
// its own layout (an envelope with a CRC-32 of its own) and the names of its
// hidden panels. Each site's layout is read into a scratch site before any
// site of the window changes.

#include <orlodock/docking/OrloDockLayouts.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>
#include <orlodock/tk/exceptions.h>

namespace {

constexpr std::array<char, 4> kSignature{'O', 'D', 'L', 'S'};
constexpr std::uint16_t kFormatVersion = 1;
constexpr int kHeaderSize = 12;

[[noreturn]] void Refuse(const tk::String& message, long long position) { throw tk::EReadError(message, position); }

std::uint16_t Checksum(const tk::Bytes& payload) { return qChecksum(QByteArrayView(payload), Qt::ChecksumItuV41); }

// What the blob holds for one site.
struct SiteEntry {
    tk::String Key;
    tk::Align Align = tk::alNone;
    // Width or height across the edge the site stands on; -1 for none.
    std::int32_t Extent = -1;
    tk::Bytes Layout;
    tk::StringList HiddenPanels;
};

class BlobWriter {
public:
    void Put(std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out_.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    void PutBytes(const tk::Bytes& bytes) {
        Put(static_cast<std::uint32_t>(bytes.size()), 4);
        out_.append(bytes);
    }
    void PutString(const tk::String& text) {
        const tk::Bytes utf8 = text.toUtf8();
        Put(static_cast<std::uint32_t>(utf8.size()), 2);
        out_.append(utf8);
    }
    const tk::Bytes& Bytes() const { return out_; }

private:
    tk::Bytes out_;
};

// Reads the payload; every read checks that the data is there. Positions in
// messages count from the start of the blob.
class BlobReader {
public:
    explicit BlobReader(const tk::Bytes& payload) : in_(payload) {}

    std::uint32_t Get(int bytes, const char* what) {
        Need(bytes, what);
        std::uint32_t value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = (value << 8) | static_cast<std::uint8_t>(in_[at_ + i]);
        at_ += bytes;
        return value;
    }
    tk::Bytes GetBytes(const char* what) {
        const std::uint32_t length = Get(4, what);
        Need(length, what);
        tk::Bytes bytes = in_.mid(at_, length);
        at_ += length;
        return bytes;
    }
    tk::String GetString(const char* what) {
        const std::uint32_t length = Get(2, what);
        Need(length, what);
        const tk::String text = tk::String::fromUtf8(in_.constData() + at_, length);
        at_ += length;
        return text;
    }
    long long Position() const { return kHeaderSize + at_; }
    bool AtEnd() const { return at_ == in_.size(); }

private:
    void Need(qint64 bytes, const char* what) const {
        if (bytes > in_.size() - at_)
            Refuse(tk::String::fromLatin1("Dock layouts end inside %1").arg(tk::Latin1(what)), Position());
    }
    const tk::Bytes& in_;
    qsizetype at_ = 0;
};

std::vector<SiteEntry> ParseBlob(const tk::Bytes& data) {
    if (data.size() < kHeaderSize)
        Refuse(tk::String::fromLatin1("Not saved dock layouts: %1 bytes are too few").arg(data.size()), data.size());
    if (!std::equal(kSignature.begin(), kSignature.end(), data.constData()))
        Refuse(tk::Latin1("Not saved dock layouts (bad signature)"), 0);
    BlobReader header(data);
    header.Get(4, "the signature");
    const std::uint32_t version = header.Get(2, "the version");
    if (version > kFormatVersion)
        Refuse(tk::String::fromLatin1("Dock layouts of format version %1 come from a newer version of the library, "
                                      "which this one (format version %2) cannot read")
                   .arg(version)
                   .arg(kFormatVersion),
               4);
    if (version < 1)
        Refuse(tk::String::fromLatin1("Dock layouts of unknown format version %1").arg(version), 4);
    const std::uint32_t length = header.Get(4, "the length");
    const std::uint16_t checksum = static_cast<std::uint16_t>(header.Get(2, "the checksum"));
    const tk::Bytes payload = data.mid(kHeaderSize);
    if (length != static_cast<std::uint32_t>(payload.size()))
        Refuse(
            tk::String::fromLatin1("Dock layouts hold %1 bytes, their header says %2").arg(payload.size()).arg(length),
            6);
    if (checksum != Checksum(payload))
        Refuse(tk::Latin1("Dock layouts are damaged (checksum mismatch)"), 10);

    BlobReader reader(payload);
    const std::uint32_t count = reader.Get(2, "the number of sites");
    std::vector<SiteEntry> entries;
    for (std::uint32_t i = 0; i < count; ++i) {
        SiteEntry entry;
        entry.Key = reader.GetString("a site's name");
        const long long alignAt = reader.Position();
        const std::uint32_t align = reader.Get(1, "a site's alignment");
        if (align > tk::alCustom)
            Refuse(tk::String::fromLatin1("Site \"%1\" has an unknown alignment %2").arg(entry.Key).arg(align),
                   alignAt);
        entry.Align = static_cast<tk::Align>(align);
        entry.Extent = static_cast<std::int32_t>(reader.Get(4, "a site's size"));
        entry.Layout = reader.GetBytes("a site's layout");
        const std::uint32_t hidden = reader.Get(2, "a site's hidden panels");
        for (std::uint32_t h = 0; h < hidden; ++h)
            entry.HiddenPanels.append(reader.GetString("a hidden panel's name"));
        const auto sameKey = [&entry](const SiteEntry& e) { return e.Key == entry.Key; };
        if (std::any_of(entries.begin(), entries.end(), sameKey))
            Refuse(tk::String::fromLatin1("Dock layouts name site \"%1\" twice").arg(entry.Key), reader.Position());
        entries.push_back(std::move(entry));
    }
    if (!reader.AtEnd())
        Refuse(tk::Latin1("Dock layouts go on after their last site"), reader.Position());
    return entries;
}

// The key of each site: its name, or its place for one without; a key
// already taken gets the place added, so that every key is unique.
tk::StringList SiteKeys(const std::vector<TOrloDockSite*>& sites) {
    tk::StringList keys;
    for (size_t i = 0; i < sites.size(); ++i) {
        const tk::String place = tk::String::fromLatin1("site %1").arg(i + 1);
        const tk::String& name = sites[i]->Name();
        tk::String key = name.isEmpty() ? place : name;
        if (keys.contains(key))
            key += tk::Latin1(" (") + place + tk::Latin1(")");
        keys.append(key);
    }
    return keys;
}

// How far the site stands out from its edge (the size it opens to when collapsed); -1 off an edge.
std::int32_t ExtentOf(TOrloDockSite* site) {
    const std::optional<tk::Edge> edge = tk::InnerEdge(site->Align());
    if (!edge)
        return -1;
    return site->Collapsed() ? site->SavedSize() : tk::Extent(site->BoundsRect(), edge->Across);
}

void SetExtent(TOrloDockSite* site, std::int32_t extent) {
    const std::optional<tk::Edge> edge = tk::InnerEdge(site->Align());
    if (!edge || extent < 0 || site->Collapsed())
        return;
    tk::Rect bounds = site->BoundsRect();
    tk::SetEnd(bounds, edge->Across, tk::Start(bounds, edge->Across) + extent);
    site->SetBoundsRect(bounds);
}

struct ComponentFree {
    void operator()(tk::Component* component) const { component->Free(); }
};

// Reads the layout into a site of its own, where no panel can be found:
// whatever the real site would refuse is refused here, and nothing else changes.
void CheckLayout(const SiteEntry& entry, TOrloDockSite* target) {
    std::unique_ptr<TOrloDockSite, ComponentFree> scratch(new TOrloDockSite(nullptr));
    scratch->SetAlign(target ? target->Align() : entry.Align);
    try {
        scratch->LoadLayout(entry.Layout);
    } catch (const tk::EReadError& e) {
        Refuse(tk::String::fromLatin1("Layout of site \"%1\": %2").arg(entry.Key, e.Message()), e.Position());
    } catch (const tk::Exception& e) {
        Refuse(tk::String::fromLatin1("Layout of site \"%1\": %2").arg(entry.Key, e.Message()), 0);
    }
}

// Loads every site's layout; should one fail after all (they were checked),
// the sites loaded before it go back to what they held.
void LoadAll(const std::vector<std::pair<const SiteEntry*, TOrloDockSite*>>& targets) {
    struct SiteBefore {
        TOrloDockSite* Site;
        tk::Bytes Layout;
        std::int32_t Extent;
    };
    std::vector<SiteBefore> loaded;
    try {
        for (const auto& [entry, site] : targets) {
            loaded.push_back({site, site->SaveLayout(), ExtentOf(site)});
            site->LoadLayout(entry->Layout);
        }
    } catch (...) {
        for (auto it = loaded.rbegin(); it != loaded.rend(); ++it) {
            it->Site->LoadLayout(it->Layout);
            SetExtent(it->Site, it->Extent);
        }
        throw;
    }
}

// After its layout was loaded: reports the panels the site did not find,
// hides the panels that were hidden and gives the site its size.
void Settle(const SiteEntry& entry, TOrloDockSite* site, tk::StringList& messages) {
    std::vector<TOrloDockControlZone*> leaves;
    CollectLeaves(site->RootZone(), leaves);
    for (TOrloDockControlZone* leaf : leaves)
        if (!leaf->Panel() && !leaf->StoredControlName().isEmpty())
            messages.append(tk::String::fromLatin1("Panel \"%1\" of site \"%2\" is not in the application; skipped")
                                .arg(leaf->StoredControlName(), entry.Key));
    for (TOrloDockablePanel* panel : CollectPanels(site->RootZone()))
        panel->SetVisible(!entry.HiddenPanels.contains(panel->Name()));
    SetExtent(site, entry.Extent);
}

} // namespace

std::vector<TOrloDockSite*> DockSitesOf(tk::Control* window) {
    std::vector<TOrloDockSite*> sites;
    if (!window)
        return sites;
    if (auto* site = dynamic_cast<TOrloDockSite*>(window))
        sites.push_back(site);
    for (int i = 0; i < window->ControlCount(); ++i) {
        const std::vector<TOrloDockSite*> below = DockSitesOf(window->Controls(i));
        sites.insert(sites.end(), below.begin(), below.end());
    }
    return sites;
}

tk::Bytes SaveDockLayouts(tk::Control* window) {
    const std::vector<TOrloDockSite*> sites = DockSitesOf(window);
    const tk::StringList keys = SiteKeys(sites);
    BlobWriter payload;
    payload.Put(static_cast<std::uint32_t>(sites.size()), 2);
    for (size_t i = 0; i < sites.size(); ++i) {
        TOrloDockSite* site = sites[i];
        payload.PutString(keys[static_cast<qsizetype>(i)]);
        payload.Put(static_cast<std::uint32_t>(site->Align()), 1);
        payload.Put(static_cast<std::uint32_t>(ExtentOf(site)), 4);
        payload.PutBytes(site->SaveLayout());
        tk::StringList hidden;
        for (TOrloDockablePanel* panel : CollectPanels(site->RootZone()))
            if (!panel->Visible() && !panel->Name().isEmpty())
                hidden.append(panel->Name());
        payload.Put(static_cast<std::uint32_t>(hidden.size()), 2);
        for (const tk::String& name : hidden)
            payload.PutString(name);
    }
    BlobWriter blob;
    for (char c : kSignature)
        blob.Put(static_cast<std::uint8_t>(c), 1);
    blob.Put(kFormatVersion, 2);
    blob.Put(static_cast<std::uint32_t>(payload.Bytes().size()), 4);
    blob.Put(Checksum(payload.Bytes()), 2);
    tk::Bytes out = blob.Bytes();
    out.append(payload.Bytes());
    return out;
}

tk::StringList RestoreDockLayouts(tk::Control* window, const tk::Bytes& data) {
    const std::vector<SiteEntry> entries = ParseBlob(data);
    const std::vector<TOrloDockSite*> sites = DockSitesOf(window);
    const tk::StringList keys = SiteKeys(sites);
    const auto siteOf = [&](const tk::String& key) -> TOrloDockSite* {
        const qsizetype at = keys.indexOf(key);
        return at < 0 ? nullptr : sites[static_cast<size_t>(at)];
    };
    for (const SiteEntry& entry : entries)
        CheckLayout(entry, siteOf(entry.Key));

    // Which site each panel stood in, so that one no layout names can stay there.
    std::vector<std::pair<TOrloDockablePanel*, size_t>> dockedBefore;
    for (size_t i = 0; i < sites.size(); ++i)
        for (TOrloDockablePanel* panel : CollectPanels(sites[i]->RootZone()))
            dockedBefore.emplace_back(panel, i);

    tk::StringList messages;
    std::vector<std::pair<const SiteEntry*, TOrloDockSite*>> targets;
    for (const SiteEntry& entry : entries) {
        if (TOrloDockSite* site = siteOf(entry.Key))
            targets.emplace_back(&entry, site);
        else
            messages.append(
                tk::String::fromLatin1("Site \"%1\" is not in this window; its layout is skipped").arg(entry.Key));
    }
    LoadAll(targets);
    for (const auto& [entry, site] : targets)
        Settle(*entry, site, messages);

    for (const auto& [panel, index] : dockedBefore) {
        if (panel->GetDockSite())
            continue;
        TOrloDockSite* site = sites[index];
        panel->DockInto(site->SiteIntf(), nullptr, site->Orientation() == voVert ? tk::alBottom : tk::alRight);
        messages.append(tk::String::fromLatin1("Panel \"%1\" is not in the saved layouts; it stays in site \"%2\"")
                            .arg(panel->Name(), keys[static_cast<qsizetype>(index)]));
    }
    return messages;
}
