//程序名:新的Qiv程序
//作者: 

void square(int a)
{
    pen.fd(a);
}

int main()
{
    square(1, 2);

    return 0;
}
