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

bool Squeezed(const std::vector<Part>& parts, int base, int client) {
    for (std::size_t i = 0; i + 1 < parts.size(); ++i)
        if (PixelsOf(base, parts[i].Percentage) < parts[i].Minimum)
            return true;
    return Rest(parts, base, client) < parts.back().Minimum;
}

// New shares for the visible children of a container that has room for all.
bool Redistribute(TOrloDockContainerZone* container) {
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
    if (extent < needed || !Squeezed(parts, base, extent))
        return false;

    // Every child its minimum; what is left in proportion to what each had above it.
    const int spare = extent - needed;
    std::int64_t wanted = 0;
    std::vector<int> above;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const int had = i + 1 < parts.size() ? PixelsOf(base, parts[i].Percentage) : Rest(parts, base, extent);
        above.push_back(std::max(had - parts[i].Minimum, 0));
        wanted += above.back();
    }
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::int64_t extra = wanted > 0 ? spare * above[i] / wanted : spare / std::int64_t(parts.size());
        parts[i].Percentage = PercentageFor(base, parts[i].Minimum + int(extra));
    }
    // Whole percentages round up: the last child gets back what that took from it.
    while (Rest(parts, base, extent) < parts.back().Minimum) {
        Part* giver = nullptr;
        for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
            Part& part = parts[i];
            const int slack = PixelsOf(base, part.Percentage - 1) - part.Minimum;
            if (slack >= 0 && (!giver || slack > PixelsOf(base, giver->Percentage - 1) - giver->Minimum))
                giver = &part;
        }
        if (!giver)
            break;
        --giver->Percentage;
    }
    parts.back().Percentage = std::clamp(PercentageFor(base, Rest(parts, base, extent)), 0, 100);
    for (const Part& part : parts)
        part.Zone->SetParentSizePercentage(std::clamp(part.Percentage, 0, 100));
    container->UpdateBounds();
    return true;
}

} // namespace

bool GiveVisibleZonesRoom(TOrloDockContainerZone* top) {
    // Top down: a container's room decides its children's.
    bool changed = Redistribute(top);
    for (int i = 0; i < top->ChildCount(); ++i)
        if (TOrloDockContainerZone* container = top->Child(i)->AsContainer(); container && container->IsVisible())
            changed = GiveVisibleZonesRoom(container) || changed;
    return changed;
}
