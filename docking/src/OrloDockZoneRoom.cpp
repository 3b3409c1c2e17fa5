#include "OrloDockZoneRoom.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include <orlodock/docking/OrloDockContainerZone.h>

namespace {

// What one visible child needs and gets along its container's arrangement.
struct Part {
    TOrloDockZone* Zone;
    int Minimum;
    int Percentage;
};

// The pixels a share makes, as the layout computes them.
int PixelsOf(int base, int percentage) { return tk::RoundHalfEven(double(std::int64_t(base) * percentage) / 100.0); }

// The smallest share that makes at least `pixels`.
int PercentageFor(int base, int pixels) {
    int percentage = int((std::int64_t(pixels) * 100 + base - 1) / base);
    while (percentage > 0 && PixelsOf(base, percentage - 1) >= pixels)
        --percentage;
    return percentage;
}

// What the last visible child is left with once the others took their shares.
int Rest(const std::vector<Part>& parts, int base, int client) {
    int used = 0;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i)
        used += PixelsOf(base, parts[i].Percentage) + 1;
    return client - used;
}

// Whether a child is left less than its floor by the shares.
bool Squeezed(const std::vector<Part>& parts, const std::vector<int>& floors, int base, int client) {
    for (std::size_t i = 0; i + 1 < parts.size(); ++i)
        if (PixelsOf(base, parts[i].Percentage) < floors[i])
            return true;
    return Rest(parts, base, client) < floors.back();
}

// New shares for the visible children of a container: at least the minimum
// size each where the container has room for all, else at least nothing, so
// that no child runs past the container's end.
bool Redistribute(TOrloDockContainerZone* container, TOrloDockKeptShares& kept) {
    const TOrloDockOrientation along = container->ChildOrientation();
    if (along != voVert && along != voHorz)
        return false;
    const tk::Axis axis = ArrangementAxis(along);
    tk::Rect client = container->Bounds();
    container->AdjustClientRect(client);
    const int extent = tk::Extent(client, axis);
    // Side by side, shares are of the full width; stacked, of the client height.
    const int base = along == voVert ? container->Width() : extent;

    std::vector<Part> parts;
    for (int i = 0; i < container->ChildCount(); ++i)
        if (TOrloDockZone* child = container->Child(i); child->IsVisible())
            parts.push_back({child, child->GetMinimumSize(), child->ParentSizePercentage()});
    if (parts.size() < 2 || base <= 0)
        return false;
    int needed = int(parts.size()) - 1;
    for (const Part& part : parts)
        needed += part.Minimum;
    const bool room = extent >= needed;
    std::vector<int> floors;
    int spare = extent - (int(parts.size()) - 1);
    for (const Part& part : parts) {
        floors.push_back(room ? part.Minimum : 0);
        spare -= floors.back();
    }
    if (spare < 0 || !Squeezed(parts, floors, base, extent))
        return false;

    // Every child its floor; what is left in proportion to what each had above it.
    std::int64_t wanted = 0;
    std::vector<int> above;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const int had = i + 1 < parts.size() ? PixelsOf(base, parts[i].Percentage) : Rest(parts, base, extent);
        above.push_back(std::max(had - floors[i], 0));
        wanted += above.back();
    }
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::int64_t extra = wanted > 0 ? spare * above[i] / wanted : spare / std::int64_t(parts.size());
        parts[i].Percentage = PercentageFor(base, floors[i] + int(extra));
    }
    // Whole percentages round up: the last child gets back what that took from it.
    const auto slack = [&](std::size_t i) { return PixelsOf(base, parts[i].Percentage - 1) - floors[i]; };
    while (Rest(parts, base, extent) < floors.back()) {
        std::size_t giver = parts.size();
        for (std::size_t i = 0; i + 1 < parts.size(); ++i)
            if (parts[i].Percentage > 0 && slack(i) >= 0 && (giver == parts.size() || slack(i) > slack(giver)))
                giver = i;
        if (giver == parts.size())
            break;
        --parts[giver].Percentage;
    }
    parts.back().Percentage = std::clamp(PercentageFor(base, Rest(parts, base, extent)), 0, 100);
    for (const Part& part : parts)
        kept.Set(part.Zone, std::clamp(part.Percentage, 0, 100));
    kept.PlaceFrom(container);
    return true;
}

} // namespace

TOrloDockKeptShares::TOrloDockKeptShares(TOrloDockZone* top) {
    std::vector<TOrloDockZone*> zones{top};
    for (std::size_t i = 0; i < zones.size(); ++i) {
        shares_.emplace_back(zones[i], zones[i]->ParentSizePercentage());
        if (TOrloDockContainerZone* container = zones[i]->AsContainer())
            for (int c = 0; c < container->ChildCount(); ++c)
                zones.push_back(container->Child(c));
    }
}

void TOrloDockKeptShares::Set(TOrloDockZone* zone, int share) {
    for (auto& [kept, value] : shares_)
        if (kept == zone)
            value = share;
}

void TOrloDockKeptShares::Restore() const {
    for (const auto& [zone, share] : shares_)
        zone->SetParentSizePercentage(share);
}

void TOrloDockKeptShares::PlaceFrom(TOrloDockZone* top) const {
    std::vector<TOrloDockZone*> zones{top};
    for (std::size_t i = 0; i < zones.size(); ++i) {
        Restore();
        zones[i]->UpdateBounds();
        if (TOrloDockContainerZone* container = zones[i]->AsContainer())
            for (int c = 0; c < container->ChildCount(); ++c)
                zones.push_back(container->Child(c));
    }
    Restore();
}

bool GiveVisibleZonesRoom(TOrloDockContainerZone* top, TOrloDockKeptShares& kept) {
    // Top down: a container's room decides its children's.
    bool changed = Redistribute(top, kept);
    for (int i = 0; i < top->ChildCount(); ++i)
        if (TOrloDockContainerZone* container = top->Child(i)->AsContainer(); container && container->IsVisible())
            changed = GiveVisibleZonesRoom(container, kept) || changed;
    return changed;
}
