// First steps: a coloured star and a greeting.
int main()
{
    pen.size(3);
    for (int i = 0; i < 5; i++) {
        pen.color(i + 1);
        pen.fd(150).rt(144);
    }
    pen.color(_green4).move(-120, -160);
    for (int i = 0; i < 36; i++) {
        pen.fd(20).rt(10);
    }
    cout << "Hello! 2.5 = " << 2.5 << endl;
    return 0;
}
