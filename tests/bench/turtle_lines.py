#!/usr/bin/env python3
"""Benchmark anchor: the same instant lines as drawing_bench (50 units forward, then back,
20,000 times) drawn by Python's turtle module with the tracer off, the way a class using it
draws fast; prints the median and mean microseconds per line. Needs a display."""
import statistics
import time
import turtle

LINES = 20000
screen = turtle.Screen()
screen.setup(800, 600)
screen.tracer(0, 0)
pen = turtle.Turtle()
pen.hideturtle()
pen.speed(0)
times = []
for i in range(LINES):
    t0 = time.perf_counter()
    if i % 2 == 0:
        pen.forward(50)
    else:
        pen.backward(50)
    times.append(time.perf_counter() - t0)
screen.update()
print('turtle line, median of %d: %.2f us, mean %.2f us' % (LINES, statistics.median(times) * 1e6,
                                                            statistics.mean(times) * 1e6))
