// First steps: a five-coloured star, a circle of short steps, and a few lines of output.
int main()
{
    windows(5, 1, 0);        // canvas : output pane = 5 : 1
    pen.size(3);
    for (int i = 0; i < 5; i++) {
        pen.color(i + 1);
        pen.fd(150).rt(144);
    }
    pen.color(_green4).move(-115, -105);
    for (int i = 0; i < 36; i++) {
        pen.fd(20).rt(10);
    }
    cout << "A star of 5 lines, each 150 long." << endl;
    cout << "A circle of 36 steps: about " << 36 * 20 / 3.14159 / 2 << " across." << endl;
    return 0;
}
