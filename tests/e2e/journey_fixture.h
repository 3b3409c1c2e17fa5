#pragma once

// The demonstration window on a real X display (xcb under Xvfb), driven by
// the test mouse as a user would: press a title bar, pull, move over the
// guides, release. The application object owns the window, the manager's
// drag windows and the floating windows, and frees them as quitting the
// program does.
//
// With ORLODOCK_JOURNEY_SHOTS set to a folder, Shot() saves the screen there
// as NAME.png (tools/journey-shots runs the journeys that way).

#include <gtest/gtest.h>

#include <vector>

#include "Unit1.h"
#include "support/mouse_driver.h"
#include <orlodock/docking/OrloDockDropZone.h>
#include <orlodock/docking/OrloDockFloatingSite.h>
#include <orlodock/docking/OrloDockPanel.h>
#include <orlodock/docking/OrloDockSite.h>
#include <orlodock/docking/OrloDockZones.h>

class JourneyTest : public ::testing::Test {
protected:
    TForm1* form = nullptr;
    tktest::MouseDriver mouse;

    void SetUp() override;
    // Quitting: every window of the application goes, the main one last.
    void TearDown() override;

    TOrloDockingManager* Manager() const;
    static TOrloDockSite* SiteOf(const TOrloDockablePanel* panel);
    static TOrloDockControlZone* LeafOf(const TOrloDockablePanel* panel);
    // The floating windows that are open (not yet released).
    static std::vector<TOrloFloatingDockSiteHostForm*> FloatingWindows();

    // Screen points: a panel's title bar, the middle of its client area, a
    // floating window's caption, the middle of a guide.
    tk::Point TitleBar(const TOrloDockablePanel* panel) const;
    static tk::Point Inside(const TOrloDockablePanel* panel);
    static tk::Point Caption(const tk::Form* window);
    static tk::Point Middle(const TOrloDockDropWindow& window, const TOrloDockDropZoneImage& image);
    // The arrow or tab of the cross shown now.
    tk::Point OnCross(TOrloDockDropKind kind) const;
    // A point of a site's edge guide that the cross over a zone does not cover.
    tk::Point OnEdgeGuide(TOrloDockSite* site);

    // Presses the title bar and pulls it 10 pixels down: the panel floats.
    TOrloFloatingDockSiteHostForm* TearOff(const TOrloDockablePanel* panel);
    // Moves there in a few steps with the button held.
    void MoveTo(tk::Point to, int steps = 3);
    // Where MoveTo last left the pointer.
    tk::Point& Pointer() { return last_; }

    // Whether any guide or preview window is on the screen.
    static bool GuidesOrPreviewShow();
    // The trees of all sites (floating ones too) are sound, the shown ones
    // laid out tightly with every panel on its leaf, and no guide or preview is left.
    void ExpectSettled();

    void Shot(const char* name);

private:
    tk::Point last_{};
};
