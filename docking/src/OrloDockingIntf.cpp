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

TOrloDockOrientation DockPositionOrientation(tk::Align position) {
    switch (position) {
    case tk::alTop:
    case tk::alBottom:
        return voHorz;
    case tk::alLeft:
    case tk::alRight:
        return voVert;
    case tk::alClient:
        return voTabbed;
    default:
        return voNoOrient;
    }
}

bool DockPositionAfter(tk::Align position) {
    return position == tk::alBottom || position == tk::alRight || position == tk::alClient;
}
