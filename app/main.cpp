#include "app/generator_app.h"

int main(int argc, char** argv) {
    quillet::CGeneratorApp app;
    return quillet::AfxWinMain(argc, argv);
}
