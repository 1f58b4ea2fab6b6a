// Benchmark: the cost of text and pictures written at the pen.
//   1. pen << 123 against a bare TextOutA of "123" at the same pixel, alternately, and
//      pen << "abc" (centred), the median of 5,000 each.
//   2. pen.pic of the 100 x 50 pictures bench.bmp and bench.png of the program's folder
//      (scripts/bench-pen-text.sh makes them): the median of 200 loads and draws each.
// Prints the figures and exits.
#include <bench_timing.h>

static void pictures(const char* file) {
    const std::string path = getCurPath() + "\\" + file;
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        printf("pen.pic(%s): no such file, skipped\n", file);
        return;
    }
    std::vector<double> times;
    for (int i = 0; i < 200; ++i) {
        const double t0 = benchSeconds();
        pen.pic(file);
        times.push_back((benchSeconds() - t0) * 1000);
    }
    printf("pen.pic(%s), 100 x 50: median %.3f ms over 200 (min %.3f, max %.3f)\n", file, benchMedian(times),
           *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()));
}

int main() {
    const int kTexts = 5000;
    text.size(18, 0);
    pen.cls(15).move(0, 0);
    HDC dc = pen.getHdc();
    const int px = xScn(0), py = yScn(0);
    std::vector<double> penTexts, bareTexts, centred, empty;
    for (int i = 0; i < kTexts; ++i) {
        double t0 = benchSeconds();
        pen << 123;
        penTexts.push_back(benchSeconds() - t0);
        t0 = benchSeconds();
        TextOutA(dc, px, py, "123", 3);
        bareTexts.push_back(benchSeconds() - t0);
        t0 = benchSeconds();
        pen << "abc";
        centred.push_back(benchSeconds() - t0);
        t0 = benchSeconds();
        empty.push_back(benchSeconds() - t0);
    }
    const double clock = benchMedian(empty) * 1e6;
    printf("pen << 123: median %.2f us; bare TextOutA: %.2f us; pen << \"abc\" (centred): %.2f us; over %d each\n",
           benchMedian(penTexts) * 1e6 - clock, benchMedian(bareTexts) * 1e6 - clock, benchMedian(centred) * 1e6 - clock, kTexts);
    pictures("bench.bmp");
    pictures("bench.png");
    fflush(stdout);
    ExitProcess(0);
    return 0;
}
