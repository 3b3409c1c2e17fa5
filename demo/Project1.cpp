// The demonstration application: one main window with four dock sites.
#include "Unit1.h"
#include <orlodock/tk/application.h>

int main(int argc, char** argv) {
    tk::Application* app = tk::App();
    app->Initialize(argc, argv);
    app->CreateForm<TForm1>();
    return app->Run();
}
