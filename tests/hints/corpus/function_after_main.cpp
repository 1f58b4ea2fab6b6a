//程序名:新的Qiv程序
//作者: 

int main()
{
    square();

    return 0;
}

void square()
{
    pen.fd(50).rt(90).fd(50).rt(90).fd(50).rt(90).fd(50);
}
