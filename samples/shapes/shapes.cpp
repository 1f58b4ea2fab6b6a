// Shapes: a little town under the sun, drawn with every shape the pen knows: outlined and
// filled rectangles, ellipses and circles, in numbered colours and in RGB.
int main()
{
    windows(5, 1, 0);
    pen.cls(_white);

    // Sky and ground.
    pen.move(0, 190).rr(2000, 400, 0xF0D8A0);       // packed RGB: red in the low byte
    pen.move(0, -210).rr(2000, 400, 150, 210, 120);
    pen.move(240, 150).oo(40, _gold).o(52, _chocolate1).o(60, _yellow);

    // Houses: walls, roofs drawn with lines, doors and round windows.
    for (int i = 0; i < 3; i++) {
        double x = -260 + i * 150;
        pen.move(x, -40).rr(110, 90, i + 9).size(3).r(110, 90, _brown);
        pen.color(_red).move(x - 60, 5).line(x, 60).line(x + 60, 5);
        pen.move(x - 25, -62).rr(24, 46, _brown);
        pen.move(x + 25, -25).oo(14, _cyan).o(14, _darkyran);
    }

    // Trees: trunks and crowns.
    for (int i = 0; i < 4; i++) {
        double x = 190 + i * 45;
        pen.move(x, -70).rr(10, 40, 139, 69, 19);
        pen.move(x, -25).ee(40, 60, _green4).size(2).e(40, 60, 0, 100, 0);
    }

    // A cloud of overlapping ellipses and a path of stepping stones.
    pen.move(-150, 160).ee(90, 36, _white).move(-110, 170).ee(70, 40, _white);
    pen.move(-185, 163).ee(50, 26, _white).size(1).e(50, 26, _grey);
    pen.size(1);
    for (int i = 0; i < 6; i++) {
        pen.move(-40 + i * 25, -120 - i * 8).ee(18, 9, _grey).e(18, 9, _black);
    }

    // The pen walks the stones, then shows its head.
    pen.color(_blueViolet).size(3).move(-40, -120).speed(7).angle(100).fd(130).speed(100);
    pen.show();

    cout << "Rectangles, ellipses and circles: outlined (r, e, o) and filled (rr, ee, oo)." << endl;
    return 0;
}
