//程序名:新的Qiv程序
//作者: 

int main()
{
    for (int i = 0; i < 4; i++)
    {
        pen.fd(100);
        pen.rt(90);

    cout << "完成";

    return 0;
}
