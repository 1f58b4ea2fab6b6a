// Benchmark: the pen head's cost per animation step (erase, save the square under the pen,
// draw the turned pencil), measured through pen.move with the head shown, against the same
// moves without the head. Prints microseconds per move, median of 21 batches of 500.
#include <bench_timing.h>

static double nowUs() { return benchSeconds() * 1e6; }

static double medianPerMove(bool head, double heading) {
    std::vector<double> batches;
    pen.hide().angle(heading);
    if (head) pen.show();
    for (int b = 0; b < 21; ++b) {
        const double start = nowUs();
        for (int i = 0; i < 500; ++i) pen.move((i % 50) * 4 - 100, (b % 5) * 20 - 40);
        batches.push_back((nowUs() - start) / 500);
    }
    pen.hide();
    return benchMedian(batches);
}

int main() {
    const double bare = medianPerMove(false, 0);
    const double upright = medianPerMove(true, 0);
    const double turned = medianPerMove(true, 37);
    printf("move without head: %.1f us\n", bare);
    printf("move with head at heading 0: %.1f us (head step %.1f us)\n", upright, upright - bare);
    printf("move with head at heading 37: %.1f us (head step %.1f us)\n", turned, turned - bare);
    fflush(stdout);
    ExitProcess(0);
    return 0;
}
