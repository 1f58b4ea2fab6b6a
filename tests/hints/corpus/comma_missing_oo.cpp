//程序名:新的Qiv程序
//作者: 

int main()
{
    pen.oo(50 3);

    return 0;
}
