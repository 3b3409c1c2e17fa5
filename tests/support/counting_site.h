#pragma once

// A dock site that counts what it invalidates and how often it paints, so a
// test sees when (and whether all of) the site was repainted.

#include <orlodock/docking/OrloDockSite.h>

class CountingSite : public TOrloDockSite {
public:
    explicit CountingSite(tk::Component* owner) : TOrloDockSite(owner) {}
    int Invalidations = 0;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        TOrloDockSite::Paint();
    }
    void Invalidated(const tk::Rect& rect) override {
        ++Invalidations;
        TOrloDockSite::Invalidated(rect);
    }
};
