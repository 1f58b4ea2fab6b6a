//程序名:新的Qiv程序
//作者: 

void square()
{
    pen.fd(50);
    return 1;
}

int main()
{
    square();

    return 0;
}
