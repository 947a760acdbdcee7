#include "shell/ui/CNivaraApp.h"

int main(int argc, char* argv[]) {
    CNivaraApp app(argc, argv);
    if (!app.InitInstance()) {
        return 1;
    }
    return app.exec();
}
