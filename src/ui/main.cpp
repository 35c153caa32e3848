// norvane-config: finds the modules on the network, shows and edits their configuration.
#include "app/cdorn_app.h"

int main(int argc, char** argv) {
    norvane::ui::CdornApp app(argc, argv);
    return app.run();
}
