// kv740-csv2db CSV TABLE: writes the Paradox table TABLE from the CSV source (build tool).
#include <exception>
#include <iostream>

#include "assets/CsvTable.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: kv740-csv2db SOURCE.csv TABLE.db\n";
        return 2;
    }
    try {
        kv::assets::CsvToTable(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::cerr << "kv740-csv2db: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
