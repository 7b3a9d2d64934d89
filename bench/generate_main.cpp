// telm_bench_generate ROWS FILE: writes a synthetic document.
#include "bench/SyntheticDocument.h"

#include <cstdlib>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3 || std::atoi(argv[1]) <= 0) {
        std::cerr << "Usage: telm_bench_generate ROWS FILE\n";
        return 2;
    }
    std::ofstream file(argv[2], std::ios::binary);
    file << telm::bench::SyntheticDocument(std::atoi(argv[1]));
    return file.good() ? 0 : 1;
}
