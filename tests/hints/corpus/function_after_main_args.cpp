//程序名:新的Qiv程序
//作者: 

int main()
{
    star(100);

    return 0;
}

void star(int a)
{
    for (int i = 0; i < 5; i++)
        pen.fd(a).rt(144);
}
