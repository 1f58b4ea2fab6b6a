//程序名:新的Qiv程序
//作者: 

int main()
{
    for (int i = 0; i < 4; i++;)
    {
        pen.fd(100).rt(90);
    }

    return 0;
}
