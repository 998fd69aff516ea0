// The program with its windows: on Windows it is vantrel itself; on Linux vantrel-editor,
// which vantrel hands every run with a display over to.
#include "app/Application.h"

int main(int argc, char** argv) {
    return vantrel::runApplication(argc, argv);
}
