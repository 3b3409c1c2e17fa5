// The zone's interfaces: every identity answers the same object, interface
// references never free a zone, and the shared value sets.

#include "zone_fixture.h"

#include <orlodock/tk/component.h>

namespace {

// Records when a watched component is freed.
class FreeWatcher : public tk::Component {
public:
    FreeWatcher() : tk::Component(nullptr) {}
    std::vector<tk::Component*> Freed;

protected:
    void Notification(tk::Component* component, tk::Operation operation) override {
        if (operation == tk::Operation::Remove)
            Freed.push_back(component);
        tk::Component::Notification(component, operation);
    }
};

template <class I> tk::IInterface* Identity(I* intf) {
    return tk::QueryAs<tk::IInterface>(static_cast<tk::IInterface*>(intf)).get();
}

TEST(ZoneInterfaces, EveryIdentityAnswersTheSameZone) {
    Owned<TOrloDockControlZone> leaf = MakeOwned<TOrloDockControlZone>();
    tk::IPtr<IOrloDockZone> zone = tk::QueryAs<IOrloDockZone>(leaf.get());
    tk::IPtr<IOrloDockControlZone> control = tk::QueryAs<IOrloDockControlZone>(leaf.get());
    ASSERT_TRUE(zone);
    ASSERT_TRUE(control);
    EXPECT_EQ(zone->GetZoneObject(), leaf.get());
    EXPECT_EQ(control->GetZoneObject(), leaf.get());

    // Asked through any of its interfaces, the zone answers the same ones.
    EXPECT_EQ(tk::QueryAs<IOrloDockZone>(control).get(), zone.get());
    EXPECT_EQ(tk::QueryAs<IOrloDockControlZone>(zone).get(), control.get());
    EXPECT_EQ(Identity(zone.get()), Identity(control.get()));
    EXPECT_EQ(Identity(zone.get()), static_cast<tk::IInterface*>(leaf.get()));

    Owned<TOrloDockContainerZone> container = MakeOwned<TOrloDockContainerZone>();
    tk::IPtr<IOrloDockZone> containerZone = tk::QueryAs<IOrloDockZone>(container.get());
    ASSERT_TRUE(containerZone);
    EXPECT_EQ(containerZone->GetZoneObject(), container.get());
    EXPECT_FALSE(tk::Supports<IOrloDockControlZone>(container.get()));
    EXPECT_FALSE(tk::Supports<IOrloDockTheme>(container.get()));
}

TEST(ZoneInterfaces, DroppingEveryReferenceNeverFreesTheZone) {
    FreeWatcher watcher;
    auto* zone = new TOrloDockContainerZone();
    zone->FreeNotification(&watcher);
    {
        tk::IPtr<IOrloDockZone> a = tk::QueryAs<IOrloDockZone>(zone);
        tk::IPtr<IOrloDockZone> b = a;
        tk::IPtr<IOrloDockZone> c = std::move(b);
        a = nullptr;
        c->Release();
        c->Release();
    }
    EXPECT_TRUE(watcher.Freed.empty());
    EXPECT_EQ(zone->ZoneID().size(), 38);
    zone->Free();
    EXPECT_EQ(watcher.Freed, std::vector<tk::Component*>{zone});
}

TEST_F(ZoneTest, InterfaceOperationsReportTheZone) {
    ShapeRoot(voVert, tk::MakeRect(0, 0, 300, 100));
    auto* leaf = new TOrloDockControlZone();
    leaf->SetParentZone(root.get());
    IOrloDockZone* zone = leaf->ZoneIntf();

    tk::String id;
    zone->GetZoneID(id);
    EXPECT_EQ(id, leaf->ZoneID());
    zone->SetZoneID(tk::String::fromLatin1("{X}"));
    EXPECT_EQ(leaf->ZoneID(), tk::String::fromLatin1("{X}"));
    EXPECT_EQ(zone->GetOrientation(), voVert);
    EXPECT_EQ(zone->GetParentOrientation(), voVert); // the root's own orientation
    root->SetOrientation(voHorz);
    EXPECT_EQ(zone->GetParentOrientation(), voHorz);
    EXPECT_EQ(root->ZoneIntf()->GetParentOrientation(), voNoOrient);

    leaf->SetCloseButtonState(dbsHot);
    leaf->SetPinButtonState(dbsPressed);
    EXPECT_EQ(zone->GetCloseButtonState(), 1);
    EXPECT_EQ(zone->GetPinButtonState(), 2);

    tk::Rect bounds;
    zone->GetBounds(bounds);
    EXPECT_EQ(bounds, leaf->Bounds());

    // Screen bounds: both corners through the site control.
    site->SetControlBounds(tk::MakeRect(0, 0, 300, 100));
    tk::Rect screen;
    zone->GetScreenBounds(screen);
    const tk::Point topLeft = site->Control()->ClientToScreen(leaf->Bounds().TopLeft());
    const tk::Point bottomRight = site->Control()->ClientToScreen(leaf->Bounds().BottomRight());
    EXPECT_EQ(screen, tk::MakeRect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y));
}

TEST_F(ZoneTest, BackgroundIsPaintedByTheTheme) {
    root->PaintBackground();
    ASSERT_EQ(theme->PaintedBackgrounds.size(), 1u);
    EXPECT_EQ(theme->PaintedBackgrounds[0], root->ZoneIntf());
}

TEST_F(ZoneTest, AZoneLeavingTheTreeTellsTheSiteItLeaves) {
    TOrloDockContainerZone* group = AddContainer(root.get(), voVert);
    FakeLeafZone* inner = AddLeaf(group);
    FakeLeafZone* moved = AddLeaf(root.get());
    site->ClearRecords();
    moved->SetParentZone(group);
    EXPECT_TRUE(site->LeavingZones.empty()) << "moving inside the tree is not leaving it";

    // A subtree handed to another site leaves this one zone by zone.
    Owned<FakeDockSite> other = MakeOwned<FakeDockSite>();
    root->RemoveZone(group);
    group->SetParentZoneField(nullptr);
    group->SetDockSite(other->Intf());
    EXPECT_EQ(site->LeavingZones, (std::vector<TOrloDockZone*>{group, inner, moved}));
    EXPECT_TRUE(other->LeavingZones.empty());

    // Freed, a zone tells the site it stands in, whether freed or deleted.
    site->ClearRecords();
    group->Free();
    EXPECT_TRUE(site->LeavingZones.empty());
    EXPECT_EQ(other->LeavingZones, (std::vector<TOrloDockZone*>{inner, moved, group}));
    FakeLeafZone* deleted = AddLeaf(root.get());
    delete deleted;
    EXPECT_EQ(site->LeavingZones, (std::vector<TOrloDockZone*>{deleted}));
    ExpectSoundAndBalanced();
}

TEST(ZoneValues, OrientationNamesAndPositions) {
    EXPECT_EQ(OrientationName(voNoOrient), tk::String::fromLatin1("voNoOrient"));
    EXPECT_EQ(OrientationName(voVert), tk::String::fromLatin1("voVert"));
    EXPECT_EQ(OrientationName(voHorz), tk::String::fromLatin1("voHorz"));
    EXPECT_EQ(OrientationName(voTabbed), tk::String::fromLatin1("voTabbed"));
    EXPECT_EQ(OrientationName(TOrloDockOrientation(4)), tk::String());
    EXPECT_EQ(OrientationIdentifiers().size(), 4);

    const TOrloDockOrientation orientations[] = {voNoOrient, voHorz, voHorz, voVert, voVert, voTabbed, voNoOrient};
    const bool after[] = {false, false, true, false, true, true, false};
    for (int a = tk::alNone; a <= tk::alCustom; ++a) {
        EXPECT_EQ(DockPositionOrientation(tk::Align(a)), orientations[a]) << a;
        EXPECT_EQ(DockPositionAfter(tk::Align(a)), after[a]) << a;
    }
    EXPECT_EQ(ArrangementAxis(voVert), tk::Axis::Horizontal);
    for (TOrloDockOrientation stacked : {voNoOrient, voHorz, voTabbed})
        EXPECT_EQ(ArrangementAxis(stacked), tk::Axis::Vertical) << OrientationName(stacked).toStdString();
}

TEST(ZoneValues, NewZonesStartAsDescribed) {
    Owned<TOrloDockRootZone> root = MakeOwned<TOrloDockRootZone>();
    Owned<TOrloDockContainerZone> container = MakeOwned<TOrloDockContainerZone>();
    Owned<TOrloDockTabbedContainerZone> tabs = MakeOwned<TOrloDockTabbedContainerZone>();
    Owned<TOrloDockControlZone> leaf = MakeOwned<TOrloDockControlZone>();

    EXPECT_EQ(root->Orientation(), voVert);
    EXPECT_EQ(root->ChildOrientation(), voHorz);
    EXPECT_EQ(container->Orientation(), voNoOrient);
    EXPECT_EQ(container->ChildOrientation(), voHorz);
    EXPECT_EQ(tabs->ChildOrientation(), voTabbed);
    EXPECT_EQ(leaf->ParentSizePercentage(), 0);
    EXPECT_EQ(leaf->SavedSize(), -1);
    EXPECT_EQ(leaf->Bounds(), tk::Rect{});
    EXPECT_EQ(leaf->Owner(), nullptr);
    EXPECT_EQ(leaf->GetDockMargin(), 15);
    EXPECT_EQ(container->GetDockMargin(), 7);

    // Fresh identifiers: braced, 38 characters, upper-case, all different.
    tk::Guid guid;
    EXPECT_TRUE(tk::Guid::TryParse(leaf->ZoneID(), guid));
    EXPECT_EQ(leaf->ZoneID(), leaf->ZoneID().toUpper());
    EXPECT_NE(leaf->ZoneID(), container->ZoneID());

    tk::String caption;
    container->SetBoundsField(tk::MakeRect(0, 0, 30, 40));
    container->SetOrientation(voVert);
    container->GetCaption(caption);
    EXPECT_EQ(caption, tk::String::fromLatin1("Orientation : voVert Width= 30 Height=40"));
}

TEST(ZoneValues, TheFiveZoneClassesAreRegisteredInOrder) {
    const tk::StringList names = tk::RegisteredClassNames();
    const char* const expected[] = {"TOrloDockZone", "TOrloDockContainerZone", "TOrloDockRootZone",
                                    "TOrloDockControlZone", "TOrloDockTabbedContainerZone"};
    qsizetype previous = -1;
    for (const char* name : expected) {
        const qsizetype index = names.indexOf(tk::String::fromLatin1(name));
        ASSERT_GE(index, 0) << name;
        EXPECT_GT(index, previous) << name;
        previous = index;
    }
}

} // namespace
