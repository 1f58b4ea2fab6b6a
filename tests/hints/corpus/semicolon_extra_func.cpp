//程序名:新的Qiv程序
//作者: 

void square();
{
    pen.fd(50);
}

int main()
{
    square();

    return 0;
}
