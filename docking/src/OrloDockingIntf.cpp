#include <orlodock/docking/OrloDockingIntf.h>

#include <iterator>

namespace {

const char* const kOrientationNames[] = {"voNoOrient", "voVert", "voHorz", "voTabbed"};

} // namespace

tk::String OrientationName(TOrloDockOrientation orientation) {
    const auto index = static_cast<unsigned>(orientation);
    if (index >= std::size(kOrientationNames))
        return {};
    return tk::String::fromLatin1(kOrientationNames[index]);
}

tk::StringList OrientationIdentifiers() {
    tk::StringList names;
    for (const char* name : kOrientationNames)
        names << tk::String::fromLatin1(name);
    return names;
}

tk::Axis ArrangementAxis(TOrloDockOrientation orientation) {
    return orientation == voVert ? tk::Axis::Horizontal : tk::Axis::Vertical;
}

TOrloDockOrientation DockPositionOrientation(tk::Align position) {
    if (position == tk::alClient)
        return voTabbed;
    const std::optional<tk::Edge> side = tk::AlignedEdge(position);
    if (!side)
        return voNoOrient;
    // Above or below a zone is a stack, left or right of it a row.
    return side->Across == tk::Axis::Vertical ? voHorz : voVert;
}

bool DockPositionAfter(tk::Align position) {
    return position == tk::alBottom || position == tk::alRight || position == tk::alClient;
}
