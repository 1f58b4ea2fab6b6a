// Benchmark: the pace of animated motion and the cost of an instant line.
//   1. fd(100) at speed 5: 20 steps of 5 ms and one more 5 ms wait, ideally 105 ms; the
//      median of 10 moves. Then every speed level 0 to 9 and 2.5: a move of L units waits
//      floor(L / 5) + 1 times 5 x the level's delay; the median against that ideal.
//   2. One instant pen.fd line against one bare GDI LineTo of the same length on the same
//      device context: the median time of 20,000 lines each, measured alternately.
// Prints the figures and exits.
#include <bench_timing.h>

int main() {
    // 1. Animated pace.
    std::vector<double> moves;
    pen.speed(5);
    for (int i = 0; i < 10; ++i) {
        pen.move(-200 + 20 * i, -100);
        const double t0 = benchSeconds();
        pen.fd(100);
        moves.push_back((benchSeconds() - t0) * 1000);
    }
    const double animated = benchMedian(moves);
    printf("fd(100) at speed 5: median %.2f ms over 10 (ideal 105.00 ms, error %+.2f ms = %+.1f %%), min %.2f max %.2f\n",
           animated, animated - 105, (animated - 105) / 105 * 100, *std::min_element(moves.begin(), moves.end()),
           *std::max_element(moves.begin(), moves.end()));

    // The pace at every level: the delays of the speed table, per unit.
    const double table[11] = {0.04, 0.02, 0.01, 0.005, 0.0025, 0.001, 0.0005, 0.0002, 0.00005, 0.00001, 0.0};
    const double levels[] = {0, 1, 2, 2.5, 3, 4, 5, 6, 7, 8, 9};
    for (double level : levels) {
        const int whole = (int)level;
        const double delay = table[whole] - (table[whole] - table[whole + 1]) * (level - whole);
        const double length = level < 3 ? 25 : 100;
        const double ideal = ((int)(length / 5) + 1) * 5 * delay * 1000;
        const int repeats = level < 3 ? 3 : 10;
        std::vector<double> times;
        pen.speed(level);
        for (int i = 0; i < repeats; ++i) {
            pen.move(-250 + 12 * i, 0).angle(0);
            const double t0 = benchSeconds();
            pen.fd(length);
            times.push_back((benchSeconds() - t0) * 1000);
        }
        const double got = benchMedian(times);
        printf("pace at speed %.1f: fd(%.0f) median %.3f ms, ideal %.3f ms, error %+.3f ms = %+.1f %%\n", level, length,
               got, ideal, got - ideal, ideal > 0 ? (got - ideal) / ideal * 100 : 0.0);
    }
    fflush(stdout);

    // 2. Instant line cost: pen.fd(50) and bk(50) against LineTo between the same two pixels.
    const int kLines = 20000;
    std::vector<double> penLines, gdiLines;
    penLines.reserve(kLines);
    gdiLines.reserve(kLines);
    pen.speed(100).cls(15).move(0, 0).angle(90);
    HDC dc = pen.getHdc();
    const int x0 = xScn(0), x1 = xScn(50), y = yScn(0);
    for (int i = 0; i < kLines; ++i) {
        double t0 = benchSeconds();
        if (i % 2 == 0) pen.fd(50); else pen.bk(50);
        penLines.push_back(benchSeconds() - t0);
        t0 = benchSeconds();
        LineTo(dc, i % 2 == 0 ? x1 : x0, y);
        gdiLines.push_back(benchSeconds() - t0);
    }
    // The cost of reading the clock, taken off both.
    std::vector<double> empty;
    for (int i = 0; i < kLines; ++i) {
        const double t0 = benchSeconds();
        empty.push_back(benchSeconds() - t0);
    }
    const double clock = benchMedian(empty) * 1e6;
    const double p = benchMedian(penLines) * 1e6 - clock, g = benchMedian(gdiLines) * 1e6 - clock;
    printf("instant line, median of %d: pen.fd %.2f us, bare LineTo %.2f us, overhead %.2f us (%.2fx); clock read %.2f us\n",
           kLines, p, g, p - g, g > 0 ? p / g : 0.0, clock);
    // The clock ticks in 0.1 us steps under Wine; the means resolve finer.
    double sumPen = 0, sumGdi = 0, sumClock = 0;
    for (int i = 0; i < kLines; ++i) sumPen += penLines[i], sumGdi += gdiLines[i], sumClock += empty[i];
    const double mp = (sumPen - sumClock) / kLines * 1e6, mg = (sumGdi - sumClock) / kLines * 1e6;
    printf("instant line, mean of %d: pen.fd %.3f us, bare LineTo %.3f us, overhead %.3f us\n", kLines, mp, mg, mp - mg);
    fflush(stdout);
    ExitProcess(0);
    return 0;
}
