// Writes a works import folder: prixel-works-folder DIR [--works N] [--trades N].

#include <CLI/CLI.hpp>
#include <iostream>

#include "works_folder.h"

int main(int argc, char** argv) {
    CLI::App app{"Writes an import folder of works"};
    std::string folder;
    WorksFolderSize size;
    app.add_option("folder", folder, "folder to write")->required();
    app.add_option("--works", size.works, "number of works")->check(CLI::NonNegativeNumber);
    app.add_option("--trades", size.trades, "number of trades")->check(CLI::NonNegativeNumber);
    CLI11_PARSE(app, argc, argv);
    if (!WriteWorksFolder(folder, size)) {
        std::cerr << "prixel-works-folder: cannot write " << folder << '\n';
        return 1;
    }
    return 0;
}
