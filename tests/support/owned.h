#pragma once

// Components are freed with Free(), never with delete; tests hold the ones
// they create in Owned<T> so that every path out of a test frees them.

#include <memory>

#include <orlodock/tk/component.h>

struct FreeComponent {
    void operator()(tk::Component* component) const {
        if (component)
            component->Free();
    }
};

template <class T> using Owned = std::unique_ptr<T, FreeComponent>;

template <class T, class... Args> Owned<T> MakeOwned(Args&&... args) {
    return Owned<T>(new T(std::forward<Args>(args)...));
}
