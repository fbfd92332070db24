// Cost of building the texture set on the CPU (without the OpenGL upload): the product's interpreter
// against the plain per-pixel one from the tests, in the same run.
//
//   texture_bench time                 milliseconds per script, median of 7 runs, both interpreters
//   texture_bench once fast|plain N    runs script N (0 = all five) once, for callgrind
#include "../native/reference_generator.h"
#include "textures/builtin_scripts.h"
#include "textures/texture_generator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Not inlined, so callgrind can count exactly this (--toggle-collect=*BenchBuild*).
#if defined(__GNUC__)
__attribute__((noinline))
#endif
unsigned BenchBuild(bool plain, int n, TextureGenerator& generator)
{
    unsigned check = 0;
    for (int i = (n == 0 ? 1 : n); i <= (n == 0 ? 5 : n); ++i) {
        const unsigned char* s = BuiltinScript(i);
        if (plain) {
            check += ReferenceRun(s, ScriptSize(s))[0][32896].r;
        } else {
            generator.Run(s, ScriptSize(s));
            check += generator.Layer(0)[32896].r;
        }
    }
    return check;
}

double Milliseconds(bool plain, int n, TextureGenerator& generator)
{
    std::vector<double> runs;
    for (int r = 0; r < 7; ++r) {
        const auto start = std::chrono::steady_clock::now();
        BenchBuild(plain, n, generator);
        runs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    TextureGenerator generator;
    if (argc == 4 && std::strcmp(argv[1], "once") == 0) {
        const unsigned check = BenchBuild(std::strcmp(argv[2], "plain") == 0, std::atoi(argv[3]), generator);
        std::printf("check %u\n", check);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "time") == 0) {
        std::printf("%-8s %12s %12s %8s\n", "script", "plain ms", "product ms", "ratio");
        for (int n = 0; n <= 5; ++n) {
            const double plain = Milliseconds(true, n, generator);
            const double fast = Milliseconds(false, n, generator);
            std::printf("%-8s %12.2f %12.2f %7.1fx\n", n == 0 ? "all" : std::to_string(n).c_str(), plain, fast,
                        plain / fast);
        }
        return 0;
    }
    std::fprintf(stderr, "usage: texture_bench time | texture_bench once fast|plain N\n");
    return 2;
}
