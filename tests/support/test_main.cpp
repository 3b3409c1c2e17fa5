#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include <orlodock/docking/OrloDockRegistration.h>

// Every test program runs with a QApplication, headless unless told otherwise.
// Zone and panel tests read streams without creating a site or a manager,
// whose constructors would register the library's classes.
int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    RegisterDockingClasses();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
