// Every name logo.h declares for programs links: each is called from a branch the program
// never takes (the flag is volatile, so the calls are compiled and linked all the same).
// The one call whose meaning the runtime gives itself, pen.getLine, is checked on the pen.
#include <qiv_check.h>

static volatile bool never = false;

static void noPanel() {}

static void callEverything() {
    string s;
    Ttext record;
    pen.tempOut("a").tempOut_mid("b").getLine(s);
    pen + 1;
    pen - 1;
    pen ^ 1;
    pen << 1 << "c";
    pen.color(1).color(1, 2, 3).up().down().pic("x.bmp", 1, 1, true).pic("x.bmp").cls(1).cls(1, 2, 3);
    pen.move(1, 1).line(1, 1).save().load().angle(1).speed(1).show().hide().size(1).scale(1, false);
    pen.ee(1, 1, 1, 2, 3).ee(1, 1, 1).e(1, 1).o(1).oo(1, 1).oo(1, 1, 2, 3).rr(1, 1, 1).rr(1, 1, 1, 2, 3);
    pen.r(1, 1).o(1, 1).e(1, 1, 1).r(1, 1, 1).o(1, 1, 2, 3).e(1, 1, 1, 2, 3).r(1, 1, 1, 2, 3).oo(1);
    pen.rr(1, 1).ee(1, 1).style(1).chang("a", "b").changRc("a", "b").resetXY().setXY(0, 0, 1, 1);
    pen.fd(1).bk(1).rt(1).lt(1).c(1).c(1, 2, 3).wait(0).showXY(0, 1);
    ok(pen.getHdc() != NULL && pen.getHwnd() != NULL && p.getAngle() + p.x() + p.y() + p.getScale() + p.getOX() +
                                                                p.getOY() + p.getX() + p.getY() > -1e300,
       "queries");
    text.size(1, 1).color(1).color(1, 2, 3).face("a", 1).face(1, 1).angle(1).back(1).back(1, 2, 3).c(1).c(1, 2, 3);
    textSize(1, 1); textColor(1); textColor(1, 2, 3); textBkColor(1); textBkColor(1, 2, 3);
    textFace("a", 1); textFace(1, 1); textAngle(1); textSave(record); textLoad(record);
    wait(0); s = i2s_zq(1); ok(near_zq(1, 2) && xScn(0) + yScn(0) > -1, "helpers");
    help("a", "b", "c"); windows(1, 1, 0); openDilog(noPanel, noPanel); closeDilog();
    s = getCurName() + getCurPath();
    _setFont(hwndMain, "a", 1); _emptyDilog(); _clearOutput(); move(1, 1);
    _ellipse(1, 0, 0, 1, 1, 1, 2, 3); _rectangle(1, 0, 0, 1, 1, 1, 2, 3);
    showXY(0, 1); _showXY(50, 1, 1, 0, 1); _showPicture(NULL, 1, 1, true);
    _posEdit(); _hideEdit(); _setEdit(0, 0, 1, 1); cinCaption("a");
    layout.show4Win(); ok(layout.getLine1() > -1, "layout");
    cout << 1 << s << endl;
    int n = 0;
    cin >> n;
    _win.getline(s); _win.init(); _win.getNext(); _editin.init(); _wout.appendOut(s);
}

int main() {
    qc_watchdog(30000);
    if (never) callEverything();
    string line;
    ok(&pen.getLine(line) == &pen, "getLine does not return the pen");
    ok(line == "x=0.00 y=0.00 angle=0.00 color=(0,0,205) size=2 down scale=1.00", "start: [%s]", line.c_str());
    pen.move(100, -50).rt(90).color(255, 128, 0).size(3).up().scale(2, false);
    pen.getLine(line);
    ok(line == "x=50.00 y=-25.00 angle=90.00 color=(255,128,0) size=3 up scale=2.00", "after changes: [%s]",
       line.c_str());
    pen.down().lt(135);  // the heading as getAngle tells it
    pen.getLine(line);
    ok(line.find("angle=-45.00") != string::npos && line.find(" down ") != string::npos, "left turn: [%s]",
       line.c_str());
    qc_finish();
    return 0;
}
