//程序名:新的Qiv程序
//作者: 

void square(int a)
{
    pen.fd(a);
}

int main()
{
    square();

    return 0;
}
