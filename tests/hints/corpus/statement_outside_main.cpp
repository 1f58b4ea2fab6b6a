//程序名:新的Qiv程序
//作者: 

pen.fd(100);

int main()
{
    pen.rt(90);

    return 0;
}
